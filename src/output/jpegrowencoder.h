// A JPEG picture compressed from rows handed over a few at a time, with the
// program's JPEG options, into an open device.
#pragma once

#include "core/jpegdefaults.h"
#include "engine/imageview.h"

#include <QString>

#include <cstdint>
#include <memory>

class QIODevice;

// Start, then Write until every row is in, then Finish. After a failure
// every call returns false and Error() tells why.
class tjpegrowencoder {
public:
    tjpegrowencoder();
    ~tjpegrowencoder();
    tjpegrowencoder(const tjpegrowencoder&) = delete;
    tjpegrowencoder& operator=(const tjpegrowencoder&) = delete;

    // A picture of width x rows pixels of `format`: quality, grey scale,
    // sampling factors 1 where subsampling is off, the simple progression
    // script; a restart marker after every row of blocks when `restarts`.
    bool Start(int width, int rows, PixelFormat format, bool restarts, const tjpegoptions& options,
               QIODevice& device);
    // The next `count` rows, top first.
    bool Write(std::uint8_t* const* rows, int count);
    // The end of the picture; false when a write to the device failed.
    bool Finish();
    const QString& Error() const { return error_; }

private:
    struct State;
    bool Failed(bool fromLibrary);
    std::unique_ptr<State> s_;
    bool started_ = false;
    bool failed_ = false;
    QString error_;
};
