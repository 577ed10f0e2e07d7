// JPEG decoding with libjpeg-turbo: rows go straight into the 32-bit picture.
// libjpeg reports errors by calling back; we leave its frames with longjmp,
// so the functions that hold a setjmp keep only plain data on their stack.
#include "input/jpegdecode.h"

#include "input/picturelimits.h"

#include "engine/hugepages.h"

#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct terrormgr {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    // Once every row is out, a missing end marker no longer harms the picture.
    bool finishing;
    bool singleScan; // known after the header
    bool sawEof;     // the source ran dry; `message` holds its warning
};

[[noreturn]] void FailExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<terrormgr*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings that mean pixels are missing or made up. libjpeg would go on and
// paint grey or repeated blocks; a stereo pair aligned on such a picture is
// worthless, so they end the decode. Harmless ones (extra bytes between
// markers, an unknown JFIF revision) are let through.
bool IsDamageWarning(int code) {
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_NOT_SEQUENTIAL:
        return true;
    default:
        return false;
    }
}

void OnMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return; // trace output
    auto* err = reinterpret_cast<terrormgr*>(cinfo->err);
    err->pub.num_warnings++;
    if (err->finishing || !IsDamageWarning(err->pub.msg_code)) return;
    if (err->pub.msg_code == JWRN_JPEG_EOF && err->singleScan) {
        // The source ran dry and libjpeg made up an end marker. In a single
        // scan that harms nothing unless the entropy decoder then starves,
        // which it says with a second warning: writers that drop the final
        // end marker are common enough to be let through.
        (*cinfo->err->format_message)(cinfo, err->message);
        err->sawEof = true;
        return;
    }
    // A file cut short reads best as such, not as the decoder's later complaint.
    if (!err->sawEof) (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

struct tsession {
    jpeg_decompress_struct cinfo;
    terrormgr err;
    bool created;
    bool palette;     // 8-bit quantised output
    bool cmyk;        // four-channel file, converted by hand
    bool progressive; // buffered-image mode, one output pass per scan
};

// Reads the header and sets the output parameters. Plain data only.
bool OpenSession(tsession& s, const unsigned char* data, std::size_t size,
                 const tjpegoptions& options, bool wantPasses) {
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = FailExit;
    s.err.pub.emit_message = OnMessage;
    s.err.finishing = false;
    s.err.singleScan = false;
    s.err.sawEof = false;
    s.err.message[0] = 0;
    if (setjmp(s.err.jump)) return false;
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s.cinfo, TRUE);

    s.cinfo.scale_num = 1;
    s.cinfo.scale_denom = JpegScaleDenominator(options.scale);
    s.cinfo.dct_method = options.performance == JpegBestSpeed ? JDCT_IFAST : JDCT_ISLOW;
    s.cinfo.do_fancy_upsampling = options.smoothing ? TRUE : FALSE;
    s.cinfo.do_block_smoothing = options.smoothing ? TRUE : FALSE;

    s.cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.palette = options.pixelFormat == JpegPixels8 && !s.cmyk;
    if (s.cmyk) {
        s.cinfo.out_color_space = JCS_CMYK;
    } else if (s.palette) {
        s.cinfo.out_color_space =
            s.cinfo.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
        s.cinfo.quantize_colors = TRUE;
        s.cinfo.desired_number_of_colors = 256;
        // Quality: an optimal palette from a first pass over the picture,
        // error diffusion; speed: the fixed colour cube.
        s.cinfo.two_pass_quantize = options.performance == JpegBestSpeed ? FALSE : TRUE;
        s.cinfo.dither_mode = options.performance == JpegBestSpeed ? JDITHER_ORDERED : JDITHER_FS;
    } else {
        // libjpeg-turbo writes B, G, R, 255: the view's own memory layout.
        s.cinfo.out_color_space = JCS_EXT_BGRA;
    }
    const bool multiScan = jpeg_has_multiple_scans(&s.cinfo);
    s.err.singleScan = !multiScan;
    // Passes are only worth showing for a progressive file in colour.
    s.progressive = wantPasses && !s.palette && multiScan;
    s.cinfo.buffered_image = s.progressive ? TRUE : FALSE;
    // The decoder's own working memory (the whole-picture coefficients of a
    // multi-scan file, the quantiser's histogram) within the budget too: a
    // file that needs more fails with the library's out-of-memory message.
    s.cinfo.mem->max_memory_to_use = long(kMaxPicturePixels * 7);
    jpeg_calc_output_dimensions(&s.cinfo);
    return true;
}

inline quint32 Argb(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Adobe writes CMYK inverted (0 = full ink), which is what nearly every
// four-channel JPEG in the wild is; r = c * k / 255 on the inverted values.
void CmykRowToArgb(const JSAMPLE* src, quint32* dst, int width, bool inverted) {
    for (int x = 0; x < width; ++x, src += 4) {
        unsigned c = src[0], m = src[1], y = src[2], k = src[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[x] = Argb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// One output pass into the picture rows.
void ReadPass(tsession& s, QImage& image, JSAMPLE* scratch, const quint32* lut) {
    j_decompress_ptr c = &s.cinfo;
    const int width = static_cast<int>(c->output_width);
    while (c->output_scanline < c->output_height) {
        const int y = static_cast<int>(c->output_scanline);
        if (!s.palette && !s.cmyk) {
            JSAMPROW rows[8];
            const int n = static_cast<int>(c->output_height) - y < 8
                              ? static_cast<int>(c->output_height) - y
                              : 8;
            for (int i = 0; i < n; ++i) rows[i] = image.scanLine(y + i);
            jpeg_read_scanlines(c, rows, static_cast<JDIMENSION>(n));
            continue;
        }
        JSAMPROW row = scratch;
        if (jpeg_read_scanlines(c, &row, 1) != 1) continue;
        auto* dst = reinterpret_cast<quint32*>(image.scanLine(y));
        if (s.cmyk) {
            CmykRowToArgb(scratch, dst, width, c->saw_Adobe_marker);
        } else {
            for (int x = 0; x < width; ++x) dst[x] = lut[scratch[x]];
        }
    }
}

// Decodes every row into `image`, already of the output size. Plain data only.
bool DecodeRows(tsession& s, QImage& image, JSAMPLE* scratch, const tjpegpasscallback* onPass) {
    if (setjmp(s.err.jump)) return false;
    j_decompress_ptr c = &s.cinfo;
    jpeg_start_decompress(c);

    quint32 lut[256];
    if (s.palette) {
        const int colours = c->actual_number_of_colors;
        for (int i = 0; i < 256; ++i) lut[i] = 0xFF000000u;
        for (int i = 0; i < colours && i < 256; ++i) {
            if (c->out_color_components == 1) {
                const unsigned v = c->colormap[0][i];
                lut[i] = Argb(v, v, v);
            } else {
                lut[i] = Argb(c->colormap[0][i], c->colormap[1][i], c->colormap[2][i]);
            }
        }
    }

    if (s.progressive) {
        while (!jpeg_input_complete(c)) {
            jpeg_start_output(c, c->input_scan_number);
            ReadPass(s, image, scratch, lut);
            jpeg_finish_output(c);
            if (*onPass) (*onPass)(image);
        }
    } else {
        ReadPass(s, image, scratch, lut);
    }
    s.err.finishing = true;
    jpeg_finish_decompress(c);
    return true;
}

QString LibMessage(const tsession& s) {
    return QString::fromLocal8Bit(s.err.message).trimmed();
}

} // namespace

bool DecodeJpeg(const unsigned char* data, std::size_t size, const tjpegoptions& options,
                tjpegpicture& out, QString& error, const tjpegpasscallback& onPass) {
    if (data == nullptr || size == 0) {
        error = QStringLiteral("Fichier JPEG vide");
        return false;
    }
    tsession s{};
    bool ok = OpenSession(s, data, size, options, options.progressiveDisplay && bool(onPass));
    QImage image;
    std::vector<JSAMPLE> scratch;
    if (!ok) {
        error = LibMessage(s);
    } else if (!PictureSizeAllowed(s.cinfo.output_width, s.cinfo.output_height)) {
        error = QStringLiteral("Image trop grande : %1 x %2 pixels")
                    .arg(s.cinfo.output_width)
                    .arg(s.cinfo.output_height);
        ok = false;
    } else {
        image = QImage(static_cast<int>(s.cinfo.output_width),
                       static_cast<int>(s.cinfo.output_height), QImage::Format_ARGB32);
        if (image.isNull()) {
            error = QStringLiteral("Mémoire insuffisante pour une image de %1 x %2 pixels")
                        .arg(s.cinfo.output_width)
                        .arg(s.cinfo.output_height);
            ok = false;
        } else {
            AdviseHugePages(image.bits(), std::size_t(image.sizeInBytes()));
            // Progressive passes leave rows of the first pass undrawn; start opaque black.
            if (s.progressive) image.fill(0xFF000000u);
            scratch.resize(std::size_t(s.cinfo.output_width) * 4 + 16);
            ok = DecodeRows(s, image, scratch.data(), &onPass);
            if (!ok) error = LibMessage(s);
        }
    }
    const bool palette = s.palette;
    if (s.created) jpeg_destroy_decompress(&s.cinfo);
    if (!ok) {
        if (error.isEmpty()) error = QStringLiteral("Fichier JPEG illisible");
        return false;
    }
    out.image = std::move(image);
    out.bits = palette ? 8 : 24;
    return true;
}

bool DecodeJpegFile(const QString& fileName, const tjpegoptions& options, tjpegpicture& out,
                    QString& error, const tjpegpasscallback& onPass) {
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Impossible d'ouvrir le fichier");
        return false;
    }
    const qint64 size = file.size();
    if (size <= 0) {
        error = QStringLiteral("Fichier JPEG vide");
        return false;
    }
    // Mapping spares a copy of the whole file; fall back to reading it.
    if (uchar* mapped = file.map(0, size)) {
        const bool ok = DecodeJpeg(mapped, std::size_t(size), options, out, error, onPass);
        file.unmap(mapped);
        return ok;
    }
    const QByteArray bytes = file.readAll();
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      std::size_t(bytes.size()), options, out, error, onPass);
}
