# The native tree exists to test the portable code hard: always under ASan and UBSan.
set(VELMORA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(${VELMORA_SANITIZE} -g)
add_link_options(${VELMORA_SANITIZE})
