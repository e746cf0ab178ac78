#pragma once
// A clickable patch of one setting's colour, as the settings windows show their
// colours, and the colour dialog they open on it.

#include <QAbstractButton>

#include <cstdint>
#include <functional>
#include <optional>

// Asks the user for a colour starting from `current` (packed red + 256 × green +
// 65536 × blue); nothing when the user cancels.
using ColourChooser = std::function<std::optional<int32_t>(int32_t current)>;

// The platform's colour dialog over `parent`.
ColourChooser colourDialogChooser(QWidget *parent);

class ColourSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColourSwatch(int32_t colour, QWidget *parent = nullptr);

    int32_t colour() const { return m_colour; }
    void setColour(int32_t colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int32_t m_colour;
};
