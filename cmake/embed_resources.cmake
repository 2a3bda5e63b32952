# Writes a C++ file holding the program's pictures as byte arrays, run at build time:
#   cmake -DOUTPUT=file.cpp -DRESOURCES="NAME|KIND|path;..." -P embed_resources.cmake
# KIND is what the Windows build's resource script makes of the file: RCDATA, CURSOR or ICON.
# The table is read by embedded_resources.cpp (FindEmbeddedResource).
set(arrays "")
set(table "")
set(index 0)
foreach(entry IN LISTS RESOURCES)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 kind)
  list(GET parts 2 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char kData${index}[${size}] = {\n    ${bytes}\n};\n")
  string(APPEND table "    {\"${name}\", ResourceKind::${kind}, kData${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new"
  "// Generated at build time by cmake/embed_resources.cmake from assets/: do not edit.\n"
  "#include \"embedded_resources.h\"\n\n"
  "namespace tintspot::x11 {\nnamespace {\n\n${arrays}\n}  // namespace\n\n"
  "extern const EmbeddedResource kEmbeddedResources[];\nextern const std::size_t kEmbeddedResourceCount;\n\n"
  "const EmbeddedResource kEmbeddedResources[] = {\n${table}};\n"
  "const std::size_t kEmbeddedResourceCount = ${index};\n\n}  // namespace tintspot::x11\n")
# Rewritten only when different, so that an unchanged picture set compiles nothing again.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
file(REMOVE "${OUTPUT}.new")
