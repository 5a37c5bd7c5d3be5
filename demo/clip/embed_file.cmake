# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P embed_file.cmake
# Writes a C++ source holding the bytes of INPUT as morvessa::demo::SYMBOL (a std::string_view).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
     "// Generated from ${INPUT} by embed_file.cmake.\n"
     "#include <string_view>\n"
     "namespace morvessa::demo {\n"
     "namespace {\n"
     "const unsigned char BYTES[] = {\n${bytes}\n};\n"
     "}  // namespace\n"
     "std::string_view ${SYMBOL}() {\n"
     "  return {reinterpret_cast<const char*>(BYTES), ${byte_count}};\n"
     "}\n"
     "}  // namespace morvessa::demo\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
