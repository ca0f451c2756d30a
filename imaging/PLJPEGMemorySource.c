#include "PLJPEGMemorySource.h"
#include <jerror.h>

static const JOCTET fake_eoi[2] = {0xFF, JPEG_EOI};

static void init_source(j_decompress_ptr cinfo) { (void)cinfo; }

static boolean fill_input_buffer(j_decompress_ptr cinfo) {
    /* Asked for only past the end of the block. */
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = fake_eoi;
    cinfo->src->bytes_in_buffer = 2;
    return TRUE;
}

static void skip_input_data(j_decompress_ptr cinfo, long n) {
    struct jpeg_source_mgr* src = cinfo->src;
    if (n <= 0)
        return;
    if ((size_t)n > src->bytes_in_buffer) {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->next_input_byte = fake_eoi;
        src->bytes_in_buffer = 2;
        return;
    }
    src->next_input_byte += n;
    src->bytes_in_buffer -= (size_t)n;
}

static void term_source(j_decompress_ptr cinfo) { (void)cinfo; }

void PLJPEGMemorySource_Attach(PLJPEGMemorySource* source, j_decompress_ptr cinfo, const JOCTET* data, size_t size) {
    source->data = data;
    source->size = size;
    source->pub.init_source = init_source;
    source->pub.fill_input_buffer = fill_input_buffer;
    source->pub.skip_input_data = skip_input_data;
    source->pub.resync_to_restart = jpeg_resync_to_restart;
    source->pub.term_source = term_source;
    source->pub.next_input_byte = data;
    source->pub.bytes_in_buffer = size;
    cinfo->src = &source->pub;
}
