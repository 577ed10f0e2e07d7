// Pictures decoded ahead on a thread of their own, so that the two views of a
// pair decode at once while the loader still reads them one after the other.
#pragma once

#include <QString>

#include <memory>

// While an object lives, its file decodes on another thread, and the first
// DecodePictureFile of that same name (on any thread) takes the result
// instead of decoding again: the same picture, bits and message. The
// progressive passes of a JPEG decoded ahead are not shown. An object whose
// result was never taken waits for its thread and drops the picture.
class tdecodeahead {
public:
    explicit tdecodeahead(const QString& fileName);
    ~tdecodeahead();
    tdecodeahead(const tdecodeahead&) = delete;
    tdecodeahead& operator=(const tdecodeahead&) = delete;

    struct tstate;

private:
    std::shared_ptr<tstate> state_;
};

enum class LoadStatus;
class QImage;

// DecodePictureFile's look-up: true when `fileName` was decoded ahead and not
// yet taken, with its result moved out.
bool TakeDecodedAhead(const QString& fileName, QImage& image, int& bits, QString& error,
                      LoadStatus& status);
