// What a written JPEG file declares in its header, read back with libjpeg:
// components, sampling factors, progression, colour space and the first two
// quantisation tables (natural order), for the tests of JPEG writing.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <cstdio>

#include <jpeglib.h>

struct JpegHeader {
    int components = 0;
    int h[3] = {}, v[3] = {};
    bool progressive = false;
    J_COLOR_SPACE space = JCS_UNKNOWN;
    // Empty where the file has no such table.
    std::array<std::array<int, DCTSIZE2>, 2> quant{};
    bool hasQuant[2] = {};
};

inline JpegHeader ReadJpegHeader(const QString& path) {
    JpegHeader out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QByteArray bytes = f.readAll();
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.components = cinfo.num_components;
    for (int c = 0; c < cinfo.num_components && c < 3; ++c) {
        out.h[c] = cinfo.comp_info[c].h_samp_factor;
        out.v[c] = cinfo.comp_info[c].v_samp_factor;
    }
    out.progressive = cinfo.progressive_mode;
    out.space = cinfo.jpeg_color_space;
    for (int t = 0; t < 2; ++t) {
        if (!cinfo.quant_tbl_ptrs[t]) continue;
        out.hasQuant[t] = true;
        for (int i = 0; i < DCTSIZE2; ++i) out.quant[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    }
    jpeg_destroy_decompress(&cinfo);
    return out;
}
