// The console report and the switch between reports.
#include "input/userreport.h"

#include <cstdio>

const char* const ProductCaption = "Orvanel-3D";

namespace {

class tconsolereport : public tuserreport {
public:
    void ShowMessage(const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", ProductCaption, qPrintable(text));
    }
};

tconsolereport gConsole;
tuserreport* gReport = &gConsole;

} // namespace

tuserreport& UserReport() {
    return *gReport;
}

void SetUserReport(tuserreport* report) {
    gReport = report ? report : &gConsole;
}
