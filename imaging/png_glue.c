#include "png_glue.h"
#include <png.h>
#include <string.h>

static void on_error(png_structp png, png_const_charp message) {
    plpng_reader* reader = (plpng_reader*)png_get_error_ptr(png);
    strncpy(reader->message, message ? message : "", sizeof reader->message - 1);
    reader->message[sizeof reader->message - 1] = 0;
    png_longjmp(png, 1);
}

static void on_warning(png_structp png, png_const_charp message) {
    (void)png;
    (void)message;
}

static void on_read(png_structp png, png_bytep data, png_size_t length) {
    plpng_reader* reader = (plpng_reader*)png_get_io_ptr(png);
    if (!reader->read(reader->user, data, length))
        png_error(png, "Read error");
}

int plpng_open(plpng_reader* reader, plpng_read_fn read, void* user, plpng_header* header) {
    png_structp png;
    png_infop info;
    memset(reader, 0, sizeof *reader);
    reader->read = read;
    reader->user = user;
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, reader, on_error, on_warning);
    if (!png) {
        strcpy(reader->message, "Out of memory creating the PNG reader.");
        return -1;
    }
    reader->png = png;
    info = png_create_info_struct(png);
    if (!info) {
        strcpy(reader->message, "Out of memory creating the PNG reader.");
        return -1;
    }
    reader->info = info;
    if (setjmp(png_jmpbuf(png)))
        return -1;
    png_set_read_fn(png, reader, on_read);
    png_read_info(png, info);

    memset(header, 0, sizeof *header);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    header->bit_depth = png_get_bit_depth(png, info);
    header->color_type = png_get_color_type(png, info);
    header->interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    {
        png_uint_32 x, y;
        int unit;
        if (png_get_pHYs(png, info, &x, &y, &unit) && unit == PNG_RESOLUTION_METER) {
            header->has_phys = 1;
            header->phys_x = x;
            header->phys_y = y;
        }
    }
    if (header->color_type == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette;
        int n = 0, i;
        if (png_get_PLTE(png, info, &palette, &n)) {
            if (n > 256)
                n = 256;
            for (i = 0; i < n; ++i) {
                header->palette[i * 3] = palette[i].red;
                header->palette[i * 3 + 1] = palette[i].green;
                header->palette[i * 3 + 2] = palette[i].blue;
            }
        }
        header->num_palette = n;
    }
    return 0;
}

int plpng_read_image(plpng_reader* reader, unsigned char** rows) {
    png_structp png = (png_structp)reader->png;
    png_infop info = (png_infop)reader->info;
    int color_type, bit_depth;
    if (setjmp(png_jmpbuf(png)))
        return -1;
    color_type = png_get_color_type(png, info);
    bit_depth = png_get_bit_depth(png, info);
    if (bit_depth == 16)
        png_set_strip_16(png);
    if (bit_depth < 8)
        png_set_packing(png);
    if (color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (color_type == PNG_COLOR_TYPE_RGB || color_type == PNG_COLOR_TYPE_RGB_ALPHA ||
        color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_bgr(png);
    if (color_type == PNG_COLOR_TYPE_RGB)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_read_image(png, rows);
    png_read_end(png, NULL);
    return 0;
}

void plpng_close(plpng_reader* reader) {
    png_structp png = (png_structp)reader->png;
    png_infop info = (png_infop)reader->info;
    if (png)
        png_destroy_read_struct(&png, info ? &info : NULL, NULL);
    reader->png = NULL;
    reader->info = NULL;
}
