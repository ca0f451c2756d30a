/* The calls into libjpeg, kept in C: the error exit longjmps back into these functions,
   which return -1 with the library's message instead. */
#ifndef VELMORA_JPEG_GLUE_H
#define VELMORA_JPEG_GLUE_H
#include <setjmp.h>
#include <stddef.h>
#include <stdio.h>
#include <jpeglib.h>
#include "PLJPEGMemorySource.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*pljpeg_progress_fn)(void* user, double part);

typedef struct pljpeg_reader {
    struct jpeg_decompress_struct cinfo;
    struct jpeg_error_mgr err;
    struct jpeg_progress_mgr progress;
    PLJPEGMemorySource source;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 2];
    pljpeg_progress_fn on_progress;
    void* user;
    int created;
} pljpeg_reader;

/* Each returns 0 on success, else -1 with the library's text in reader->message. */
int pljpeg_create(pljpeg_reader* reader, pljpeg_progress_fn on_progress, void* user);
int pljpeg_read_header(pljpeg_reader* reader, const unsigned char* data, size_t size);
/* Starts decompression to greyscale (one byte a pixel) or blue, green, red, 255. */
int pljpeg_start(pljpeg_reader* reader, int greyscale);
int pljpeg_read_lines(pljpeg_reader* reader, unsigned char** rows, unsigned max_lines, unsigned* got);
int pljpeg_finish(pljpeg_reader* reader);
/* Drops the current picture, keeping the decompressor for the next one. */
void pljpeg_abort(pljpeg_reader* reader);
void pljpeg_destroy(pljpeg_reader* reader);

#ifdef __cplusplus
}
#endif
#endif
