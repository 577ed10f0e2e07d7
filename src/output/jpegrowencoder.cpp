// The row-by-row JPEG compressor over libjpeg's compression API.
#include "output/jpegrowencoder.h"

#include "core/atomicfile.h"

#include <QIODevice>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the encoder's call with the library's message.
struct tjpegerror {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<tjpegerror*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void JpegSilentMessage(j_common_ptr) {}

// Compressed bytes go straight into the device, 64 KiB at a time.
constexpr std::size_t kOutChunk = 64 * 1024;

struct tjpegdest {
    jpeg_destination_mgr pub;
    QIODevice* file;
    int err; // errno of the failed write
    JOCTET* buffer;
    bool failed;
};

void DestInit(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<tjpegdest*>(cinfo->dest);
    d->pub.next_output_byte = d->buffer;
    d->pub.free_in_buffer = kOutChunk;
}

boolean DestEmpty(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<tjpegdest*>(cinfo->dest);
    if (d->file->write(reinterpret_cast<const char*>(d->buffer), qint64(kOutChunk)) !=
        qint64(kOutChunk)) {
        d->failed = true;
        d->err = errno;
    }
    d->pub.next_output_byte = d->buffer;
    d->pub.free_in_buffer = kOutChunk;
    return TRUE;
}

void DestTerm(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<tjpegdest*>(cinfo->dest);
    const qint64 n = qint64(kOutChunk - d->pub.free_in_buffer);
    if (n > 0 && d->file->write(reinterpret_cast<const char*>(d->buffer), n) != n) {
        d->failed = true;
        d->err = errno;
    }
}

} // namespace

struct tjpegrowencoder::State {
    jpeg_compress_struct cinfo;
    tjpegerror err;
    tjpegdest dest;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kOutChunk);
};

tjpegrowencoder::tjpegrowencoder() : s_(std::make_unique<State>()) {}

tjpegrowencoder::~tjpegrowencoder() {
    if (started_) jpeg_destroy_compress(&s_->cinfo);
}

bool tjpegrowencoder::Failed(bool fromLibrary) {
    failed_ = true;
    if (fromLibrary)
        error_ = QString::fromLocal8Bit(s_->err.message);
    else if (s_->dest.failed)
        error_ = ErrnoText(s_->dest.err);
    if (started_) jpeg_destroy_compress(&s_->cinfo);
    started_ = false;
    return false;
}

// Each call that enters the library sets its own return point for the
// library's errors; nothing with a destructor lives in these frames.
bool tjpegrowencoder::Start(int width, int rows, PixelFormat format, bool restarts,
                            const tjpegoptions& o, QIODevice& device) {
    if (failed_ || started_) return false;
    State& s = *s_;
    jpeg_compress_struct& cinfo = s.cinfo;
    cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = JpegErrorExit;
    s.err.pub.output_message = JpegSilentMessage;
    if (setjmp(s.err.jump)) return Failed(true);
    jpeg_create_compress(&cinfo);
    started_ = true;
    s.dest = tjpegdest{};
    s.dest.pub.init_destination = DestInit;
    s.dest.pub.empty_output_buffer = DestEmpty;
    s.dest.pub.term_destination = DestTerm;
    s.dest.file = &device;
    s.dest.buffer = s.buffer.data();
    cinfo.dest = &s.dest.pub;
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(rows);
    // The rows go in as they are stored (blue first), the library converting
    // them itself; the alpha byte of a 32-bit picture is skipped.
    const int bpp = BytesPerPixel(format);
    cinfo.input_components = bpp;
    cinfo.in_color_space = bpp == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    // force_baseline: quantisation values stay within the baseline range.
    jpeg_set_quality(&cinfo, o.quality < 1 ? 1 : (o.quality > 100 ? 100 : o.quality), TRUE);
    if (o.grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    for (int c = 0; c < cinfo.num_components; ++c) {
        if (!o.hSubsampling) cinfo.comp_info[c].h_samp_factor = 1;
        if (!o.vSubsampling) cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (o.progressiveEncoding) jpeg_simple_progression(&cinfo);
    if (restarts) cinfo.restart_in_rows = 1;
    jpeg_start_compress(&cinfo, TRUE);
    return s.dest.failed ? Failed(false) : true;
}

bool tjpegrowencoder::Write(std::uint8_t* const* rows, int count) {
    if (failed_ || !started_) return false;
    State& s = *s_;
    if (setjmp(s.err.jump)) return Failed(true);
    jpeg_write_scanlines(&s.cinfo, const_cast<JSAMPARRAY>(rows), JDIMENSION(count));
    return s.dest.failed ? Failed(false) : true;
}

bool tjpegrowencoder::Finish() {
    if (failed_ || !started_) return false;
    State& s = *s_;
    if (setjmp(s.err.jump)) return Failed(true);
    jpeg_finish_compress(&s.cinfo);
    jpeg_destroy_compress(&s.cinfo);
    started_ = false;
    return s.dest.failed ? Failed(false) : true;
}
