#pragma once
// "关于软件": what this version of the program contains, read-only.

#include <QWidget>

class Tfrm_about : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_about(QWidget *parent = nullptr);
};
