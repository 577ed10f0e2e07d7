// Rows that wrap: a layout placing its items left to right and starting a new
// row where the width ends, and a bar of controls built on it.
#pragma once

#include <QLayout>
#include <QList>
#include <QWidget>

class tflowlayout : public QLayout {
public:
    explicit tflowlayout(QWidget* parent = nullptr, int spacing = 2);
    ~tflowlayout() override;

    void addItem(QLayoutItem* item) override;
    // Rows are left-aligned already; the stretch of a box row has no meaning here.
    void addStretch() {}
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in rect (only measures when place is false) and
    // returns the height used.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};

// A tool bar whose controls wrap onto further rows instead of hiding behind
// an overflow button.
class tflowbar : public QWidget {
public:
    explicit tflowbar(QWidget* parent = nullptr);
    void addWidget(QWidget* w);
    tflowlayout* Layout() const { return layout_; }

private:
    tflowlayout* layout_;
};
