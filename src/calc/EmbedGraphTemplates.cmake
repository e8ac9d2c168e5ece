# Writes OUTPUT, a C++ source that defines GraphTemplateResource() over the bytes of the
# template files. TEMPLATES is a list of id=path pairs.
set(table "")
set(arrays "")
foreach(entry IN LISTS TEMPLATES)
    string(REGEX MATCH "^([0-9]+)=(.*)$" matched "${entry}")
    if(NOT matched)
        message(FATAL_ERROR "EmbedGraphTemplates: bad entry '${entry}'")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(path ${CMAKE_MATCH_2})
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # Sixteen bytes a line.
    string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
    get_filename_component(name "${path}" NAME)
    string(APPEND arrays "// ${name}\nconst unsigned char kTemplate${id}[] = {\n    ${bytes}0x00};\n\n")
    string(APPEND table "    {${id}, kTemplate${id}, ${size}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from resources/templates by EmbedGraphTemplates.cmake; do not edit.
#include \"calc/GraphTemplates.h\"

#include <cstddef>
#include <string>

namespace {

${arrays}struct Template
{
    unsigned int id;
    const unsigned char* bytes;
    std::size_t size;
};

const Template kTemplates[] = {
${table}};

} // namespace

bool GraphTemplateResource(unsigned int id, std::string& bytes)
{
    for (const Template& entry : kTemplates) {
        if (entry.id == id) {
            bytes.assign(reinterpret_cast<const char*>(entry.bytes), entry.size);
            return true;
        }
    }
    return false;
}
")
# Only a changed source is rewritten, so an unchanged template rebuilds nothing.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
