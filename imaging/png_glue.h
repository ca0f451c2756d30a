/* The calls into libpng, kept in C: libpng reports errors by longjmp, which lands here
   and becomes a return value. No C++ frame lies between the library and the jump. */
#ifndef VELMORA_PNG_GLUE_H
#define VELMORA_PNG_GLUE_H
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Supplies n bytes into buffer; returns 0 when it cannot (the reader then fails). */
typedef int (*plpng_read_fn)(void* user, unsigned char* buffer, size_t n);

typedef struct plpng_header {
    unsigned width, height;
    int bit_depth, color_type, interlaced;
    int has_phys;
    unsigned phys_x, phys_y; /* pixels per metre, when the unit is the metre */
    int num_palette;
    unsigned char palette[256 * 3]; /* red, green, blue */
} plpng_header;

typedef struct plpng_reader {
    void* png;  /* png_structp */
    void* info; /* png_infop */
    plpng_read_fn read;
    void* user;
    char message[256];
} plpng_reader;

/* Each returns 0 on success, else -1 with the library's text in reader->message. */
int plpng_open(plpng_reader* reader, plpng_read_fn read, void* user, plpng_header* header);
/* Reads all rows (4 bytes a pixel for colour types 2, 4 and 6, one byte else) and the end. */
int plpng_read_image(plpng_reader* reader, unsigned char** rows);
/* Frees whatever the reader holds; safe to call more than once. */
void plpng_close(plpng_reader* reader);

#ifdef __cplusplus
}
#endif
#endif
