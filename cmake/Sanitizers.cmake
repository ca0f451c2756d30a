# The native tree exists to test the portable code hard: under ASan and UBSan unless
# VELMORA_SANITIZE is turned off (for benchmarks of an optimised native build).
option(VELMORA_SANITIZE "build the native tree under AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(VELMORA_SANITIZE)
  set(VELMORA_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${VELMORA_SANITIZE_FLAGS})
  add_link_options(${VELMORA_SANITIZE_FLAGS})
endif()
add_compile_options(-g)
