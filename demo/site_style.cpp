#include "demo/site_style.h"

namespace morvessa::demo {

std::string_view site_stylesheet() {
  return R"css(* { box-sizing: border-box; }
body { margin: 0; font: 14px/1.6 "WenQuanYi Micro Hei", "Microsoft YaHei", sans-serif; color: #222; background: #f4f5f7; }
a { color: #1f6feb; text-decoration: none; }
a:hover { text-decoration: underline; }
code { background: #eef0f3; padding: 1px 5px; border-radius: 3px; }
.g-clear::after { content: ""; display: block; clear: both; }
.site-head { background: #16213e; color: #fff; }
.site-head-inner { max-width: 1100px; margin: 0 auto; padding: 10px 16px; display: flex; align-items: center; gap: 24px; }
.site-logo { color: #fff; font-size: 20px; font-weight: bold; }
.site-nav { display: flex; gap: 16px; flex: 1; }
.site-nav-item { color: #cfd8ff; font-size: 15px; }
.site-search { display: flex; }
.site-search-box { width: 220px; padding: 5px 8px; border: 0; border-radius: 4px 0 0 4px; }
.site-search-button { border: 0; background: #ff7a45; color: #fff; padding: 5px 14px; border-radius: 0 4px 4px 0; cursor: pointer; }
.main { max-width: 1100px; margin: 0 auto; padding: 16px; }
.site-foot { text-align: center; color: #888; font-size: 12px; padding: 24px 0; }
.list-head h1 { margin: 8px 0 0; font-size: 22px; }
.list-filter { color: #666; margin: 4px 0 12px; }
.list { list-style: none; margin: 0; padding: 0; display: grid; grid-template-columns: repeat(auto-fill, minmax(150px, 1fr)); gap: 16px; }
.item a { display: block; color: inherit; background: #fff; border-radius: 6px; overflow: hidden; box-shadow: 0 1px 3px rgba(0,0,0,.08); }
.item a:hover { text-decoration: none; box-shadow: 0 3px 10px rgba(0,0,0,.18); }
.cover { position: relative; }
.cover img { display: block; width: 100%; aspect-ratio: 95 / 128; image-rendering: auto; }
.hint { position: absolute; right: 6px; bottom: 6px; background: rgba(0,0,0,.6); color: #fff; font-size: 12px; padding: 0 6px; border-radius: 3px; }
.detail { padding: 6px 10px 8px; }
.title { margin: 0; display: flex; justify-content: space-between; gap: 6px; }
.s1 { font-weight: bold; white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
.s2 { color: #ff7a45; font-weight: bold; }
.star { margin: 2px 0 0; color: #888; font-size: 12px; white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
.list-empty { background: #fff; padding: 40px; text-align: center; color: #666; border-radius: 6px; }
.pager { margin: 20px 0; display: flex; flex-wrap: wrap; gap: 6px; justify-content: center; }
.pager a, .pager span { padding: 3px 10px; background: #fff; border-radius: 4px; border: 1px solid #dde1e6; }
.pager-current { background: #16213e !important; color: #fff; }
.search-summary, .search-none { color: #555; }
.b-mainpic { display: flex; gap: 18px; background: #fff; padding: 16px; border-radius: 6px; margin-bottom: 16px; }
.m-poster { width: 142px; height: 192px; display: block; border-radius: 4px; }
.m-title { margin: 0 0 6px; }
.m-facts, .m-people { margin: 2px 0; color: #555; }
.m-blurb { color: #333; }
.m-play, .detail-play { display: inline-block; background: #ff7a45; color: #fff; padding: 6px 22px; border-radius: 4px; }
.result-list { list-style: none; padding: 0; margin: 0; }
.result { display: flex; gap: 14px; background: #fff; padding: 12px; border-radius: 6px; margin-bottom: 10px; }
.result-poster { width: 71px; height: 96px; display: block; border-radius: 3px; }
.result-info h3 { margin: 0; font-size: 16px; }
.result-facts { margin: 2px 0; color: #777; font-size: 12px; }
.result-blurb { margin: 4px 0 0; color: #444; }
.tag { font-size: 12px; font-weight: normal; color: #fff; background: #4f8cff; padding: 0 6px; border-radius: 3px; }
.detail-top { display: flex; gap: 20px; background: #fff; padding: 18px; border-radius: 6px; }
.detail-poster { width: 190px; height: 256px; display: block; border-radius: 4px; flex: none; }
.detail-title { margin: 0; font-size: 24px; }
.detail-score { color: #ff7a45; font-size: 20px; margin-left: 12px; }
.detail-tags, .detail-people { margin: 4px 0; color: #555; }
.p-mod { background: #fff; padding: 14px 18px; border-radius: 6px; margin-top: 16px; }
.p-mod-title, .p-mod-label { display: block; font-size: 17px; font-weight: bold; margin-bottom: 10px; }
.p-mod-sub { font-size: 13px; color: #888; font-weight: normal; margin-left: 10px; }
.num-tab-list { display: grid; grid-template-columns: repeat(auto-fill, minmax(52px, 1fr)); gap: 8px; }
.num-tab-list a { display: block; text-align: center; border: 1px solid #dde1e6; border-radius: 4px; padding: 4px 0; color: #333; }
.num-tab-list a:hover { border-color: #ff7a45; color: #ff7a45; text-decoration: none; }
.year-tabs { margin-bottom: 10px; }
.year-tab { padding: 2px 12px; border-radius: 12px; background: #eef0f3; }
.year-tab.on { background: #16213e; color: #fff; }
.w-newfigure-list { list-style: none; padding: 0; margin: 0; display: grid; grid-template-columns: repeat(auto-fill, minmax(200px, 1fr)); gap: 10px; }
.w-newfigure a { display: block; border: 1px solid #dde1e6; border-radius: 4px; padding: 8px 10px; color: #333; }
.w-newfigure-date { display: block; color: #ff7a45; font-weight: bold; }
.sites { display: flex; flex-wrap: wrap; gap: 10px; align-items: center; }
.txt { color: #888; }
.site-item { border: 1px solid #dde1e6; border-radius: 16px; padding: 3px 14px; color: #333; }
.related-list { list-style: none; padding: 0; margin: 0; display: grid; grid-template-columns: repeat(6, 1fr); gap: 12px; }
.related-link { display: block; color: #333; }
.related-poster { width: 100%; aspect-ratio: 95 / 128; display: block; border-radius: 4px; }
.related-name { display: block; white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
.play-card { display: flex; gap: 20px; background: #fff; padding: 18px; border-radius: 6px; }
.play-lines { list-style: none; padding: 0; display: flex; flex-direction: column; gap: 8px; }
.play-line { display: inline-block; border-left: 4px solid var(--accent); padding: 4px 12px; background: #f4f5f7; }
.home-intro, .home-block { background: #fff; padding: 16px 20px; border-radius: 6px; margin-bottom: 16px; }
.home-table { border-collapse: collapse; width: 100%; }
.home-table th, .home-table td { border-bottom: 1px solid #eef0f3; padding: 6px 8px; text-align: left; vertical-align: top; }
.player-page { background: #000; color: #fff; overflow: hidden; }
.player { position: fixed; inset: 0; background: radial-gradient(circle at 30% 20%, #1b2340, #000 70%); }
.player-video { position: absolute; inset: 0; width: 100%; height: 100%; object-fit: contain; background: #000; }
.player-overlay { position: absolute; left: 16px; top: 16px; display: flex; gap: 12px; align-items: center; padding: 10px 16px 10px 10px;
  background: rgba(0,0,0,.55); border-left: 4px solid var(--accent); border-radius: 6px; pointer-events: none; }
.player-cover { width: 48px; height: 64px; border-radius: 3px; display: block; }
.player-line { margin: 0; color: var(--accent); font-size: 12px; font-weight: bold; }
.player-title { margin: 0; font-size: 20px; }
.player-item { margin: 0; color: #ddd; }
.player-empty { position: absolute; inset: 0; display: flex; flex-direction: column; justify-content: center; align-items: center; }
.player-address { position: absolute; left: 16px; right: 16px; bottom: 52px; margin: 0; color: rgba(255,255,255,.55); font-size: 11px;
  white-space: nowrap; overflow: hidden; text-overflow: ellipsis; pointer-events: none; }
)css";
}

}  // namespace morvessa::demo
