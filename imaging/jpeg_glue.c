#include "jpeg_glue.h"
#include <string.h>

static void error_exit(j_common_ptr cinfo) {
    pljpeg_reader* reader = (pljpeg_reader*)cinfo->client_data;
    (*cinfo->err->format_message)(cinfo, reader->message);
    strcat(reader->message, "\n");
    longjmp(reader->jump, 1);
}

static void output_message(j_common_ptr cinfo) {
    /* Warnings are not shown; decoding goes on. */
    (void)cinfo;
}

static void progress(j_common_ptr cinfo) {
    pljpeg_reader* reader = (pljpeg_reader*)cinfo->client_data;
    struct jpeg_progress_mgr* p = cinfo->progress;
    if (reader->on_progress && p->pass_limit > 0)
        reader->on_progress(reader->user, (double)p->pass_counter / (double)p->pass_limit);
}

int pljpeg_create(pljpeg_reader* reader, pljpeg_progress_fn on_progress, void* user) {
    memset(reader, 0, sizeof *reader);
    reader->on_progress = on_progress;
    reader->user = user;
    reader->cinfo.err = jpeg_std_error(&reader->err);
    reader->err.error_exit = error_exit;
    reader->err.output_message = output_message;
    reader->cinfo.client_data = reader;
    if (setjmp(reader->jump))
        return -1;
    jpeg_create_decompress(&reader->cinfo);
    reader->created = 1;
    reader->progress.progress_monitor = progress;
    reader->cinfo.progress = &reader->progress;
    return 0;
}

int pljpeg_read_header(pljpeg_reader* reader, const unsigned char* data, size_t size) {
    if (setjmp(reader->jump))
        return -1;
    PLJPEGMemorySource_Attach(&reader->source, &reader->cinfo, data, size);
    jpeg_read_header(&reader->cinfo, TRUE);
    return 0;
}

int pljpeg_start(pljpeg_reader* reader, int greyscale) {
    if (setjmp(reader->jump))
        return -1;
    reader->cinfo.out_color_space = greyscale ? JCS_GRAYSCALE : JCS_EXT_BGRA;
    jpeg_start_decompress(&reader->cinfo);
    return 0;
}

int pljpeg_read_lines(pljpeg_reader* reader, unsigned char** rows, unsigned max_lines, unsigned* got) {
    if (setjmp(reader->jump))
        return -1;
    *got = jpeg_read_scanlines(&reader->cinfo, rows, max_lines);
    return 0;
}

int pljpeg_finish(pljpeg_reader* reader) {
    if (setjmp(reader->jump))
        return -1;
    jpeg_finish_decompress(&reader->cinfo);
    return 0;
}

void pljpeg_abort(pljpeg_reader* reader) {
    if (reader->created)
        jpeg_abort_decompress(&reader->cinfo);
}

void pljpeg_destroy(pljpeg_reader* reader) {
    if (reader->created)
        jpeg_destroy_decompress(&reader->cinfo);
    reader->created = 0;
}
