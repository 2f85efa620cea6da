# Writes OUTPUT, a C++ source that holds the bytes of COEFFICIENTS (MUs3.dat),
# STOPPING_POWER (Mo-STP.dat) and MATERIALS (Materials.dat) for web/module/embedded_tables.h.
function(bytes_of file variable)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()
bytes_of(${COEFFICIENTS} coefficients)
bytes_of(${STOPPING_POWER} stopping_power)
bytes_of(${MATERIALS} materials)
file(WRITE ${OUTPUT} "// Generated from data/ by web/module/embed_tables.cmake.
#include \"web/module/embedded_tables.h\"
namespace web {
namespace {
constexpr char kCoefficientBytes[] = {${coefficients}};
constexpr char kStoppingPowerBytes[] = {${stopping_power}};
constexpr char kMaterialBytes[] = {${materials}};
}  // namespace
const std::string_view kCoefficientTable(kCoefficientBytes, sizeof kCoefficientBytes);
const std::string_view kStoppingPowerTable(kStoppingPowerBytes, sizeof kStoppingPowerBytes);
const std::string_view kMaterialTable(kMaterialBytes, sizeof kMaterialBytes);
}  // namespace web
")
