// Pictures decoded ahead on a thread of their own.
#include "input/decodeahead.h"

#include "input/pictureload.h"
#include "input/userreport.h"

#include <QImage>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct tdecodeahead::tstate {
    QString fileName;
    std::mutex lock;
    std::condition_variable finished;
    bool done = false;
    QImage image;
    int bits = 0;
    QString error;
    LoadStatus status = LoadStatus::Missing;
    std::thread worker;
};

namespace {

// The decodes under way or waiting to be taken.
std::mutex gRegistryLock;
std::vector<std::shared_ptr<tdecodeahead::tstate>> gRegistry;
// Set on the threads that decode ahead: their own decoding never waits for
// a result, least of all its own.
thread_local bool gAheadThread = false;

// Passes and messages of a picture decoded ahead go nowhere: the loader that
// takes it reports as it would have.
class tsilentreport : public tuserreport {
public:
    void ShowMessage(const QString&) override {}
};

} // namespace

tdecodeahead::tdecodeahead(const QString& fileName) : state_(std::make_shared<tstate>()) {
    state_->fileName = fileName;
    // The decoders set themselves up once, on the calling thread.
    InitPictureDecoders();
    std::shared_ptr<tstate> s = state_;
    try {
        s->worker = std::thread([s] {
            gAheadThread = true;
            tsilentreport silent;
            QImage image;
            int bits = 0;
            QString error;
            LoadStatus status = DecodePictureFile(s->fileName, image, bits, error, &silent);
            std::lock_guard<std::mutex> guard(s->lock);
            s->image = std::move(image);
            s->bits = bits;
            s->error = error;
            s->status = status;
            s->done = true;
            s->finished.notify_all();
        });
    } catch (...) {
        // No thread: the loader decodes the file itself.
        return;
    }
    std::lock_guard<std::mutex> guard(gRegistryLock);
    gRegistry.push_back(state_);
}

tdecodeahead::~tdecodeahead() {
    {
        std::lock_guard<std::mutex> guard(gRegistryLock);
        gRegistry.erase(std::remove(gRegistry.begin(), gRegistry.end(), state_), gRegistry.end());
    }
    if (state_->worker.joinable()) state_->worker.join();
}

bool TakeDecodedAhead(const QString& fileName, QImage& image, int& bits, QString& error,
                      LoadStatus& status) {
    if (gAheadThread) return false;
    std::shared_ptr<tdecodeahead::tstate> s;
    {
        std::lock_guard<std::mutex> guard(gRegistryLock);
        for (auto it = gRegistry.begin(); it != gRegistry.end(); ++it)
            if ((*it)->fileName == fileName) {
                s = *it;
                gRegistry.erase(it);
                break;
            }
    }
    if (!s) return false;
    std::unique_lock<std::mutex> guard(s->lock);
    s->finished.wait(guard, [&] { return s->done; });
    image = std::move(s->image);
    bits = s->bits;
    error = s->error;
    status = s->status;
    return true;
}
