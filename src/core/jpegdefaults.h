// The process-wide JPEG options: how JPEG files are read (and, later, written).
// Every JPEG decode takes them over at the moment it starts.
#pragma once

// Reading options map onto libjpeg's decompression parameters; the writing
// options are used by the writer.
struct tjpegoptions {
    // Writing.
    int quality = 90;       // 1..100
    bool grayscale = false; // write a grey-scale JPEG
    bool progressiveEncoding = false;
    bool hSubsampling = true; // false: horizontal sampling factor 1 for every component
    bool vSubsampling = true; // false: vertical sampling factor 1 for every component

    // Reading.
    int performance = 0;             // 0 best quality (slow integer DCT), 1 best speed (fast DCT)
    int pixelFormat = 0;             // 0 24-bit colour, 1 8-bit palette (quantised colours)
    bool progressiveDisplay = false; // show the passes of a progressive file as they come
    int scale = 0;                   // 0 full, 1 half, 2 quarter, 3 eighth
    bool smoothing = true;           // fancy upsampling and block smoothing
};

enum JpegPerformance { JpegBestQuality = 0, JpegBestSpeed = 1 };
enum JpegPixelFormat { JpegPixels24 = 0, JpegPixels8 = 1 };
enum JpegScale { JpegScaleFull = 0, JpegScaleHalf = 1, JpegScaleQuarter = 2, JpegScaleEighth = 3 };

// The options every JPEG object takes over; at start full size, best quality,
// 24-bit colour, smoothing on.
extern tjpegoptions JpegDefaults;

// "Défaut" of the JPEG options, also run when the program starts: quality
// 100, colour, best quality, 24 bits, no progression, full size, smoothing;
// the two subsampling flags from the settings (hSampling, vSampling). So the
// first JPEG written after start-up has quality 100 whatever the record's
// initial 90 says.
void ResetJpegOptions(tjpegoptions& options, bool hSampling, bool vSampling);

// Denominator of the output scale (1, 2, 4 or 8); out-of-range codes read as full size.
int JpegScaleDenominator(int scale);
