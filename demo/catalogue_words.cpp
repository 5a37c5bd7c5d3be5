#include "demo/catalogue_words.h"

#include <array>
#include <map>
#include <string>

namespace morvessa::demo {
namespace {

constexpr Word PLACES[] = {
    {"长安", "CA"}, {"临江", "LJ"},    {"南城", "NC"}, {"北岭", "BL"},    {"青州", "QZ"},
    {"云溪", "YX"}, {"西川", "XC"},    {"东港", "DG"}, {"白鹭洲", "BLZ"}, {"雾山", "WS"},
    {"沧澜", "CL"}, {"落霞镇", "LXZ"}, {"石桥", "SQ"}, {"海棠湾", "HTW"}, {"枫林渡", "FLD"},
    {"月湖", "YH"}, {"星河街", "XHJ"}, {"天水", "TS"}, {"金陵", "JL"},    {"塞北", "SB"},
    {"渝州", "YZ"}, {"柳巷", "LX"},    {"松江", "SJ"}, {"梧桐里", "WTL"},
};

constexpr Word SERIES_TAILS[] = {
    {"往事", "WS"}, {"风云", "FY"}, {"旧梦", "JM"}, {"人家", "RJ"}, {"秘闻", "MW"}, {"烟火", "YH"},
    {"春秋", "CQ"}, {"岁月", "SY"}, {"传奇", "CQ"}, {"迷案", "MA"}, {"夜话", "YH"}, {"来信", "LX"},
    {"十年", "SN"}, {"四季", "SJ"}, {"长歌", "CG"}, {"晚风", "WF"},
};
constexpr Word SERIES_ROLES[] = {
    {"小镇医生", "XZYS"}, {"女法医", "NFY"},    {"老刑警", "LXJ"},    {"新掌柜", "XZG"},
    {"少年捕快", "SNBK"}, {"外卖骑手", "WMQS"}, {"急诊医生", "JZYS"}, {"乡村教师", "XCJS"},
    {"实习律师", "SXLS"}, {"船长", "CZ"},       {"绣娘", "XN"},       {"书店老板", "SDLB"},
    {"调音师", "TYS"},    {"邮递员", "YDY"},    {"大厨", "DC"},       {"侦探", "ZT"},
    {"画师", "HS"},       {"守夜人", "SYR"},
};
constexpr Word ROLE_TAILS[] = {
    {"手记", "SJ"},    {"日记", "RJ"},    {"的秘密", "DMM"}, {"归来", "GL"},    {"传", "Z"},
    {"的春天", "DCT"}, {"的抉择", "DJZ"}, {"笔记", "BJ"},    {"的一年", "DYN"}, {"的夏天", "DXT"},
};
constexpr Word MOMENTS[] = {
    {"那年", "NN"},    {"今夜", "JY"}, {"盛夏", "SX"}, {"初雪", "CX"}, {"晚秋", "WQ"},
    {"十八岁", "SBS"}, {"春分", "CF"}, {"黄昏", "HH"}, {"清晨", "QC"}, {"雨季", "YJ"},
    {"小满", "XM"},    {"白露", "BL"}, {"立冬", "LD"}, {"除夕", "CX"},
};
constexpr Word OF[] = {{"的", "D"}};
constexpr Word SERIES_NOUNS[] = {
    {"约定", "YD"}, {"心愿", "XY"}, {"回声", "HS"}, {"灯火", "DH"}, {"信笺", "XJ"},
    {"誓言", "SY"}, {"远方", "YF"}, {"归途", "GT"}, {"少年", "SN"}, {"庭院", "TY"},
    {"列车", "LC"}, {"琴声", "QS"}, {"晚餐", "WC"}, {"秘密", "MM"},
};

constexpr Word NATURE[] = {
    {"暴雨", "BY"}, {"烈日", "LR"}, {"寒潮", "HC"}, {"深海", "SH"}, {"荒原", "HY"}, {"孤岛", "GD"},
    {"沙暴", "SB"}, {"极夜", "JY"}, {"雪崩", "XB"}, {"山火", "SH"}, {"迷雾", "MW"}, {"冰川", "BC"},
    {"雷暴", "LB"}, {"台风", "TF"}, {"黑夜", "HY"}, {"星际", "XJ"}, {"地心", "DX"}, {"高空", "GK"},
};
constexpr Word MISSIONS[] = {
    {"行动", "XD"}, {"追踪", "ZZ"}, {"危机", "WJ"}, {"营救", "YJ"}, {"迷踪", "MZ"}, {"密码", "MM"},
    {"之夜", "ZY"}, {"突围", "TW"}, {"边缘", "BY"}, {"信号", "XH"}, {"救援", "JY"}, {"猎手", "LS"},
    {"禁区", "JQ"}, {"航线", "HX"}, {"归途", "GT"}, {"时刻", "SK"},
};
constexpr Word FILM_ADJECTIVES[] = {
    {"最后的", "ZHD"},    {"消失的", "XSD"}, {"沉默的", "CMD"}, {"燃烧的", "RSD"},
    {"看不见的", "KBJD"}, {"迟到的", "CDD"}, {"第七个", "DQG"}, {"午夜的", "WYD"},
    {"无声的", "WSD"},    {"遥远的", "YYD"}, {"漂流的", "PLD"}, {"借来的", "JLD"},
};
constexpr Word FILM_NOUNS[] = {
    {"证人", "ZR"}, {"列车", "LC"}, {"夏天", "XT"}, {"房客", "FK"}, {"信使", "XS"}, {"灯塔", "DT"},
    {"答案", "DA"}, {"对手", "DS"}, {"猎人", "LR"}, {"乘客", "CK"}, {"来信", "LX"}, {"月亮", "YL"},
    {"旅馆", "LG"}, {"钢琴", "GQ"}, {"刺客", "CK"}, {"影子", "YZ"},
};
constexpr Word FILM_ROLES[] = {
    {"拳手", "QS"},    {"摄影师", "SYS"}, {"魔术师", "MSS"}, {"钟表匠", "ZBJ"}, {"驯马师", "XMS"},
    {"厨子", "CZ"},    {"哨兵", "SB"},    {"快递员", "KDY"}, {"舞者", "WZ"},    {"棋手", "QS"},
    {"飞行员", "FXY"}, {"潜水员", "QSY"}, {"押运员", "YYY"}, {"守门员", "SMY"},
};
constexpr Word FILM_TAILS[] = {
    {"的假期", "DJQ"}, {"的反击", "DFJ"}, {"的一天", "DYT"}, {"传奇", "CQ"},    {"的逆袭", "DNX"},
    {"归来", "GL"},    {"之王", "ZW"},    {"的奇遇", "DQY"}, {"的夜晚", "DYW"}, {"在路上", "ZLS"},
};
constexpr Word SEQUELS[] = {{"2", "2"}, {"3", "3"}};

constexpr Word FANTASY[] = {
    {"灵剑", "LJ"}, {"星辰", "XC"}, {"龙骨", "LG"}, {"幻海", "HH"}, {"机甲", "JJ"}, {"妖灵", "YL"},
    {"雷霆", "LT"}, {"月光", "YG"}, {"时空", "SK"}, {"云端", "YD"}, {"魔法", "MF"}, {"花园", "HY"},
    {"星海", "XH"}, {"风铃", "FL"}, {"神木", "SM"}, {"琉璃", "LL"}, {"冰晶", "BJ"}, {"火羽", "HY"},
};
constexpr Word FANTASY_TAILS[] = {
    {"少年", "SN"},    {"物语", "WY"},    {"纪", "J"},    {"传说", "CS"}, {"学院", "XY"},
    {"大冒险", "DMX"}, {"守护者", "SHZ"}, {"旅人", "LR"}, {"战记", "ZJ"}, {"奇谭", "QT"},
    {"小队", "XD"},    {"使者", "SZ"},    {"契约", "QY"}, {"日常", "RC"},
};
constexpr Word ANIMALS[] = {
    {"小熊", "XX"}, {"橘猫", "JM"}, {"企鹅", "QE"}, {"狐狸", "HL"}, {"兔子", "TZ"},
    {"飞鼠", "FS"}, {"海豚", "HT"}, {"熊猫", "XM"}, {"刺猬", "CW"}, {"松鼠", "SS"},
    {"柴犬", "CQ"}, {"鲸鱼", "JY"}, {"小鹿", "XL"}, {"山雀", "SQ"},
};
constexpr Word ANIMAL_ROLES[] = {
    {"侦探", "ZT"},    {"邮差", "YC"},    {"厨师", "CS"},    {"船长", "CZ"},
    {"骑士", "QS"},    {"历险记", "LXJ"}, {"一家", "YJ"},    {"学园", "XY"},
    {"面包店", "MBD"}, {"快递队", "KDD"}, {"魔法师", "MFS"}, {"探险队", "TXD"},
};
constexpr Word ZHI[] = {{"之", "Z"}};
constexpr Word WORLDS[] = {
    {"国", "G"}, {"境", "J"}, {"城", "C"}, {"门", "M"}, {"翼", "Y"}, {"心", "X"},
    {"歌", "G"}, {"眼", "Y"}, {"塔", "T"}, {"环", "H"}, {"书", "S"}, {"海", "H"},
};
constexpr Word AND[] = {{"和", "H"}};

constexpr Word THEMES[] = {
    {"厨房", "CF"}, {"乡村", "XC"}, {"音乐", "YY"}, {"城市", "CS"}, {"星空", "XK"}, {"旅途", "LT"},
    {"书店", "SD"}, {"露营", "LY"}, {"田野", "TY"}, {"舞台", "WT"}, {"街角", "JJ"}, {"海岛", "HD"},
    {"山野", "SY"}, {"夜市", "YS"}, {"老屋", "LW"}, {"菜园", "CY"}, {"渔村", "YC"}, {"车站", "CZ"},
};
constexpr Word SHOW_TAILS[] = {
    {"大作战", "DZZ"}, {"合伙人", "HHR"}, {"研究所", "YJS"}, {"观察室", "GCS"},
    {"漫游记", "MYJ"}, {"食堂", "ST"},    {"实验室", "SYS"}, {"小分队", "XFD"},
    {"派对", "PD"},    {"之夜", "ZY"},    {"日记", "RJ"},    {"见面会", "JMH"},
    {"挑战赛", "TZS"}, {"慢生活", "MSH"}, {"补给站", "BJZ"}, {"茶话会", "CHH"},
};
constexpr Word GO_PREFIXES[] = {
    {"今天去", "JTQ"}, {"周末在", "ZMZ"}, {"一起去", "YQQ"}, {"我们的", "WMD"}, {"假如在", "JRZ"},
    {"出发去", "CFQ"}, {"住在", "ZZ"},    {"欢迎来", "HYL"}, {"偷偷去", "TTQ"}, {"带上爸妈去", "DSBMQ"},
};

constexpr std::string_view SERIES_AREAS[] = {"内地", "香港", "台湾", "韩国", "日本", "美国", "英国", "泰国"};
constexpr std::string_view SERIES_GENRES[] = {"剧情", "悬疑", "爱情", "家庭", "都市", "古装",
                                              "喜剧", "刑侦", "年代", "青春", "武侠", "职场"};
constexpr std::string_view SERIES_OPENERS[] = {
    "的一个深秋，", "的老街深处，", "，一座沉睡多年的老城里，", "的雨季，", "的霓虹之下，", "的渡口边，",
};
constexpr std::string_view SERIES_SUBJECTS[] = {
    "一位不善言辞的年轻医生", "两个性格迥异的合租室友", "一家老字号的继承人",     "刚调来的女刑警",
    "一位退休多年的老教师",   "三个从小一起长大的伙伴", "一名初出茅庐的实习律师", "一对久别重逢的姐妹",
};
constexpr std::string_view SERIES_EVENTS[] = {
    "意外卷入一桩尘封多年的旧案",         "决定重新开张一间早已冷清的小店",
    "在一封匿名来信的指引下踏上寻亲之路", "被迫接手一个人人避之不及的烂摊子",
    "在一次意外中发现了家族隐藏的往事",   "与一群陌生人结下了意想不到的缘分",
};
constexpr std::string_view SERIES_ENDINGS[] = {
    "在欢笑与泪水中，他们终于找回了彼此。", "真相，远比想象中更接近。",       "这一年，注定不会平凡。",
    "一段关于成长与守望的故事就此展开。",   "每个人都在寻找属于自己的答案。",
};

constexpr std::string_view FILM_AREAS[] = {"内地", "香港", "美国", "法国", "日本", "韩国", "英国", "印度"};
constexpr std::string_view FILM_GENRES[] = {"动作", "科幻", "剧情", "犯罪", "冒险", "灾难",
                                            "喜剧", "爱情", "悬疑", "战争", "奇幻", "惊悚"};
constexpr std::string_view FILM_OPENERS[] = {
    "的午夜，", "城外的荒原上，", "的最后一班列车上，", "港口的风暴来临之前，", "的地下隧道里，",
};
constexpr std::string_view FILM_SUBJECTS[] = {
    "一名即将退役的特警",     "一位从不失手的女飞行员",   "一个落魄的魔术师",
    "一支临时拼凑的救援小队", "一位沉默寡言的出租车司机", "一对互不信任的搭档",
};
constexpr std::string_view FILM_EVENTS[] = {
    "必须在天亮前完成一项不可能的任务", "意外截获了一段神秘的求救信号", "被卷入一场精心策划的骗局",
    "要在七十二小时内找回失踪的证人",   "在风暴中心展开一场生死营救",
};
constexpr std::string_view FILM_ENDINGS[] = {
    "时间，正在一分一秒地流逝。",
    "而真正的对手，一直就在身边。",
    "这一次，他们没有退路。",
    "一场惊心动魄的较量就此开始。",
};

constexpr std::string_view ANIME_AREAS[] = {"日本", "内地", "美国", "法国", "韩国"};
constexpr std::string_view ANIME_GENRES[] = {"冒险", "热血", "奇幻", "治愈", "搞笑", "校园",
                                             "机战", "科幻", "亲子", "益智", "运动", "魔法"};
constexpr std::string_view ANIME_OPENERS[] = {
    "的森林尽头，", "漂浮在云海之上的", "的魔法学院里，", "星海彼岸的", "的小小面包店里，",
};
constexpr std::string_view ANIME_SUBJECTS[] = {
    "一个总是迷路的少年",     "一只会说话的橘猫",         "一群刚入学的见习魔法师",
    "一位梦想飞上天空的女孩", "一支由小动物组成的探险队",
};
constexpr std::string_view ANIME_EVENTS[] = {
    "捡到了一把会发光的旧钥匙", "踏上了寻找传说之石的旅程", "意外唤醒了沉睡千年的守护灵",
    "接下了一份奇怪的快递订单", "要在学园祭前完成一件大事",
};
constexpr std::string_view ANIME_ENDINGS[] = {
    "冒险，从这一刻开始！",
    "友情与勇气，是最强大的魔法。",
    "每一天都充满了惊喜。",
    "前方的世界比想象中更加广阔。",
};

constexpr std::string_view SHOW_AREAS[] = {"内地", "台湾", "韩国", "香港", "日本"};
constexpr std::string_view SHOW_GENRES[] = {"真人秀", "美食", "旅行", "音乐", "访谈", "生活",
                                            "竞技",   "搞笑", "文化", "亲子", "户外", "游戏"};
constexpr std::string_view SHOW_OPENERS[] = {
    "的清晨，", "郊外的一座小院里，", "的海边，", "的老街上，", "的山脚下，",
};
constexpr std::string_view SHOW_SUBJECTS[] = {
    "六位性格各异的嘉宾", "一群热爱生活的年轻人", "几位老朋友", "两代人", "四位新手店长",
};
constexpr std::string_view SHOW_EVENTS[] = {
    "开始了为期三十天的共同生活",   "要用有限的预算经营一家小店", "一起寻找城市里被遗忘的味道",
    "接受一次又一次意想不到的挑战", "在田间地头体验最朴素的日子",
};
constexpr std::string_view SHOW_ENDINGS[] = {
    "笑声不断，温暖常在。",
    "每一期都有新的惊喜。",
    "慢下来，才能看见生活本来的样子。",
    "看他们如何把日子过成诗。",
};

constexpr std::string_view SURNAMES[] = {
    "王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴", "徐", "孙", "胡", "朱", "高", "林",
    "何", "郭", "马", "罗", "梁", "宋", "郑", "谢", "韩", "唐", "冯", "于", "董", "萧", "程", "曹",
    "袁", "邓", "许", "傅", "沈", "曾", "彭", "吕", "苏", "卢", "蒋", "蔡", "贾", "丁", "魏", "薛",
    "叶", "余", "潘", "杜", "戴", "夏", "钟", "汪", "田", "任", "姜", "范", "方", "石", "姚", "谭",
};
constexpr std::string_view GIVEN_CHARACTERS[] = {
    "子", "涵", "雨", "轩", "晨", "宇", "思", "佳", "一", "诺", "欣", "怡", "浩", "然", "梓", "睿",
    "俊", "杰", "文", "博", "明", "辉", "嘉", "琪", "婉", "清", "若", "溪", "安", "宁", "景", "行",
    "知", "远", "书", "瑶", "星", "河", "逸", "凡", "昊", "天", "予", "墨", "南", "乔", "北", "辰",
};
constexpr std::string_view VIEWING_SITES[] = {
    "青柠视频", "鲸鱼影院", "橙子视频", "飞鸟影视", "山海放映厅", "松果视频", "星光影院", "银杏视频",
};
constexpr std::string_view ISSUE_GUESTS[] = {
    "全员", "新朋友", "老搭档", "神秘嘉宾", "队长", "两位新人", "嘉宾们", "飞行嘉宾",
};
constexpr std::string_view ISSUE_ACTIVITIES[] = {
    "挑战野外露营", "比拼家乡菜", "深夜谈心",   "合唱老歌",   "体验渔民生活", "寻找隐藏宝藏", "开张第一天",
    "赶大集",       "学做手工面", "夜爬看日出", "摆摊卖早餐", "给村里修路灯", "录制毕业歌",   "决战厨艺擂台",
};
constexpr std::string_view STORY_PLACES[] = {
    "长安", "临江", "南城", "北岭", "青州", "云溪", "西川", "东港", "雾山", "沧澜", "石桥", "月湖",
};

std::vector<TitlePattern> make_patterns(std::string_view slug) {
  if (slug == "dianshi") {
    return {{PLACES, SERIES_TAILS},
            {SERIES_ROLES, ROLE_TAILS},
            {MOMENTS, OF, SERIES_NOUNS},
            {PLACES, SERIES_ROLES}};
  }
  if (slug == "dianying") {
    return {{NATURE, MISSIONS}, {FILM_ADJECTIVES, FILM_NOUNS}, {FILM_ROLES, FILM_TAILS}, {PLACES, MISSIONS}};
  }
  if (slug == "dongman") {
    return {
        {FANTASY, FANTASY_TAILS}, {ANIMALS, ANIMAL_ROLES}, {FANTASY, ZHI, WORLDS}, {ANIMALS, AND, ANIMALS}};
  }
  if (slug == "zongyi") {
    return {{THEMES, SHOW_TAILS}, {GO_PREFIXES, THEMES}, {PLACES, SHOW_TAILS}};
  }
  return {};
}

}  // namespace

const std::vector<TitlePattern>& title_patterns(std::string_view slug) {
  static const std::map<std::string, std::vector<TitlePattern>, std::less<>> patterns = [] {
    std::map<std::string, std::vector<TitlePattern>, std::less<>> all;
    for (std::string_view s : {"dianshi", "dianying", "dongman", "zongyi"}) all.emplace(s, make_patterns(s));
    return all;
  }();
  static const std::vector<TitlePattern> none;
  auto found = patterns.find(slug);
  return found == patterns.end() ? none : found->second;
}

const CategoryWords& category_words(std::string_view slug) {
  static const CategoryWords series{SERIES_AREAS,    SERIES_GENRES, SERIES_OPENERS,
                                    SERIES_SUBJECTS, SERIES_EVENTS, SERIES_ENDINGS};
  static const CategoryWords film{FILM_AREAS,    FILM_GENRES, FILM_OPENERS,
                                  FILM_SUBJECTS, FILM_EVENTS, FILM_ENDINGS};
  static const CategoryWords anime{ANIME_AREAS,    ANIME_GENRES, ANIME_OPENERS,
                                   ANIME_SUBJECTS, ANIME_EVENTS, ANIME_ENDINGS};
  static const CategoryWords show{SHOW_AREAS,    SHOW_GENRES, SHOW_OPENERS,
                                  SHOW_SUBJECTS, SHOW_EVENTS, SHOW_ENDINGS};
  if (slug == "dianying") return film;
  if (slug == "dongman") return anime;
  if (slug == "zongyi") return show;
  return series;
}

TextList surnames() {
  return SURNAMES;
}
TextList given_name_characters() {
  return GIVEN_CHARACTERS;
}
TextList viewing_sites() {
  return VIEWING_SITES;
}
TextList issue_guests() {
  return ISSUE_GUESTS;
}
TextList issue_activities() {
  return ISSUE_ACTIVITIES;
}
TextList story_places() {
  return STORY_PLACES;
}
WordList sequel_numbers() {
  return SEQUELS;
}

}  // namespace morvessa::demo
