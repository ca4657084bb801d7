# Prints the size of a built file.
file(SIZE "${FILE}" bytes)
math(EXPR kib "(${bytes} + 1023) / 1024")
get_filename_component(name "${FILE}" NAME)
get_filename_component(dir "${FILE}" DIRECTORY)
get_filename_component(preset "${dir}" NAME)
message(STATUS "${preset}/${name}: ${bytes} bytes (${kib} KiB)")
