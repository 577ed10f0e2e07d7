// The points table's cells: formats, reading rules, backup and row drops.
#include "montage/pointstable.h"

#include <cmath>
#include <utility>

const std::array<const char*, kTableColumns> PointTableHeaders = {"Nom", "Index", "dfg", "xg",
                                                                  "yg",  "dfd",   "xd",  "yd"};

QString PointFlagText(bool placed) {
    return placed ? QStringLiteral("T") : QStringLiteral("F");
}

QString PointCoordText(double v) {
    return QString::asprintf("%5.2f", v);
}

bool ReadPointFlag(const QString& text) {
    return !text.isEmpty() && text.at(0).toUpper() == QLatin1Char('T');
}

double ReadPointCoord(const QString& text) {
    bool ok = false;
    // QString::toDouble reads the C locale: the point is the separator.
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

int PairForIndexCell(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 1;
}

namespace {

trealpoint ReadPoint(const tpointrow& row, int flag) {
    trealpoint p;
    p.d = ReadPointFlag(row[flag]);
    p.x = ReadPointCoord(row[flag + 1]);
    p.y = ReadPointCoord(row[flag + 2]);
    return p;
}

void WritePoint(tpointrow& row, int flag, const trealpoint& p) {
    row[flag] = PointFlagText(p.d);
    row[flag + 1] = PointCoordText(p.x);
    row[flag + 2] = PointCoordText(p.y);
}

void WriteHead(tpointrow& row, int i) {
    row[ColName] = QString::fromUtf8(PointNames[i]);
    row[ColIndex] = QString::number(i);
}

} // namespace

tpointstable::tpointstable() {
    for (int i = 0; i < kTablePoints; ++i) {
        tpointrow& row = Rows[i];
        WriteHead(row, i);
        for (int flag : {ColLeftFlag, ColRightFlag}) {
            row[flag] = QStringLiteral("F");
            row[flag + 1] = row[flag + 2] = QStringLiteral("0");
        }
    }
}

void tpointstable::Fill(const tviewpair& pair) {
    for (int i = 0; i < kTablePoints; ++i) {
        tpointrow& row = Rows[i];
        WriteHead(row, i);
        WritePoint(row, ColLeftFlag, pair.ImgLeft.GetPoint(i));
        WritePoint(row, ColRightFlag, pair.ImgRight.GetPoint(i));
        // The backup holds what the cells say, not the views' exact values.
        backupLeft_[i] = ReadPoint(row, ColLeftFlag);
        backupRight_[i] = ReadPoint(row, ColRightFlag);
    }
}

void tpointstable::Apply(tviewpair& pair) const {
    for (int i = 0; i < kTablePoints; ++i) {
        pair.ImgLeft.SetPoint(i, ReadPoint(Rows[i], ColLeftFlag));
        pair.ImgRight.SetPoint(i, ReadPoint(Rows[i], ColRightFlag));
    }
}

void tpointstable::Restore() {
    for (int i = 0; i < kTablePoints; ++i) {
        WriteHead(Rows[i], i);
        WritePoint(Rows[i], ColLeftFlag, backupLeft_[i]);
        WritePoint(Rows[i], ColRightFlag, backupRight_[i]);
    }
}

void tpointstable::Drop(int from, int to, bool copy) {
    if (from < 0 || from >= kTablePoints || to < 0 || to >= kTablePoints) return;
    tpointrow& source = Rows[from];
    tpointrow& target = Rows[to];
    for (int col = ColLeftFlag; col < kTableColumns; ++col) {
        QString saved = target[col];
        target[col] = source[col];
        if (!copy && from != to) source[col] = std::move(saved);
    }
}
