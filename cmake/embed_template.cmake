# Writes OUTPUT, a C++ source that holds the three files of the bundled
# example (SOURCE_DIR) as byte arrays: the importer's default template, so
# that it works from any folder. Run at build time by the importer's target.
function(byte_array name file out)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  set(${out} "${${out}}constexpr unsigned char ${name}[] = {\n    ${bytes}0};\n" PARENT_SCOPE)
endfunction()

set(arrays "")
byte_array(kProfileData "${SOURCE_DIR}/Tesmo.dat" arrays)
byte_array(kBandRowList "${SOURCE_DIR}/temp.cd5" arrays)
byte_array(kLayerDefinitions "${SOURCE_DIR}/GasouT.dat" arrays)

file(WRITE "${OUTPUT}.new" "// Generated from examples/ by cmake/embed_template.cmake: do not edit.
#include \"import/template_files.h\"

namespace ps::import {

namespace {

// Each array ends in one extra zero byte, so that none is empty.
${arrays}
std::string text(const unsigned char* bytes, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(bytes), size - 1);
}

}  // namespace

TemplateFiles bundledTemplate() {
  return {text(kProfileData, sizeof kProfileData), text(kBandRowList, sizeof kBandRowList),
          text(kLayerDefinitions, sizeof kLayerDefinitions)};
}

}  // namespace ps::import
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
