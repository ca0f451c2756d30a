/* A libjpeg source manager over one block of memory. Past the end of the block it warns
   of a premature end and supplies a fake end-of-image marker. */
#ifndef VELMORA_PLJPEGMEMORYSOURCE_H
#define VELMORA_PLJPEGMEMORYSOURCE_H
#include <stddef.h>
#include <stdio.h>
#include <jpeglib.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PLJPEGMemorySource {
    struct jpeg_source_mgr pub;
    const JOCTET* data;
    size_t size;
} PLJPEGMemorySource;

/* Attaches the block to the decompressor. The source record must outlive the decoding. */
void PLJPEGMemorySource_Attach(PLJPEGMemorySource* source, j_decompress_ptr cinfo, const JOCTET* data, size_t size);

#ifdef __cplusplus
}
#endif
#endif
