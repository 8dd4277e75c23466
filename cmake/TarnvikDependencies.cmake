# The libraries the runtime links against. Shared by the build and by the
# installed package, so a program built outside this tree finds the same ones.
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(TVK_SDL2 REQUIRED IMPORTED_TARGET GLOBAL sdl2)
pkg_check_modules(TVK_SDL2_MIXER REQUIRED IMPORTED_TARGET GLOBAL SDL2_mixer)
pkg_check_modules(TVK_PNG REQUIRED IMPORTED_TARGET GLOBAL libpng)
pkg_check_modules(TVK_JPEG REQUIRED IMPORTED_TARGET GLOBAL libjpeg)
pkg_check_modules(TVK_ZLIB REQUIRED IMPORTED_TARGET GLOBAL zlib)
pkg_check_modules(TVK_LZO2 REQUIRED IMPORTED_TARGET GLOBAL lzo2)
