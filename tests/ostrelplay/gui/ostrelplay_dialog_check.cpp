// Checks a dump of the X server's screen (the XWD file Xvfb -fbdir keeps) taken
// while the program shows a dialog: inside the program's part of the screen, no
// block of 60 x 30 pixels is plain black, as an unpainted window would be.
// Reading the server's own frame buffer matters: on Xvfb a screenshot through the
// root window (xwd -root, import) shows windows mapped over another window of the
// same program as black although they are painted.
// Usage: ostrelplay_dialog_check SCREEN.xwd
// Exit status 0: painted; 1: a black block; 2: the program is not on the screen.

#include <QFile>
#include <QRect>

#include <cstdio>
#include <vector>

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "dialog check: %s\n", what);
    return 1;
}

quint32 bigEndian(const QByteArray &bytes, qsizetype at)
{
    const auto b = [&](int i) { return quint32(quint8(bytes[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return fail("usage: ostrelplay_dialog_check SCREEN.xwd");
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return fail("no screen dump");
    const QByteArray xwd = file.readAll();
    if (xwd.size() < 100)
        return fail("the screen dump is too short");
    const quint32 headerSize = bigEndian(xwd, 0), width = bigEndian(xwd, 16), height = bigEndian(xwd, 20);
    const quint32 byteOrder = bigEndian(xwd, 28), bitsPerPixel = bigEndian(xwd, 44), stride = bigEndian(xwd, 48);
    const quint32 colours = bigEndian(xwd, 76);
    const qsizetype data = qsizetype(headerSize) + qsizetype(colours) * 12;
    // Depth 24 is stored in four bytes a pixel, whatever the bits field says.
    if (width == 0 || height == 0 || bitsPerPixel < 24 || stride < width * 4
        || data + qsizetype(stride) * height > xwd.size())
        return fail("the screen dump is not a 24-bit picture");
    const auto pixel = [&](int x, int y) {
        const qsizetype at = data + qsizetype(y) * stride + qsizetype(x) * 4;
        const auto b = [&](int i) { return quint32(quint8(xwd[at + i])); };
        const quint32 value = byteOrder == 0 ? b(0) | b(1) << 8 | b(2) << 16 : b(1) << 16 | b(2) << 8 | b(3);
        return value & 0xffffffu;
    };

    // The program's part of the screen: everything that is not the black root window.
    QRect program;
    for (int y = 0; y < int(height); ++y)
        for (int x = 0; x < int(width); ++x)
            if (pixel(x, y) != 0)
                program |= QRect(x, y, 1, 1);
    if (program.width() < 400 || program.height() < 300) {
        fail("the program's window is not on the screen (yet)");
        return 2;
    }

    // Black pixels summed over rectangles, to find a wholly black block quickly.
    const int w = program.width(), h = program.height();
    std::vector<int> sums(size_t(w + 1) * size_t(h + 1), 0);
    const auto at = [&](int x, int y) -> int & { return sums[size_t(y) * size_t(w + 1) + size_t(x)]; };
    for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x)
            at(x, y) = (pixel(program.left() + x - 1, program.top() + y - 1) == 0 ? 1 : 0) + at(x - 1, y)
                + at(x, y - 1) - at(x - 1, y - 1);
    constexpr int BlockWidth = 60, BlockHeight = 30;
    for (int y = BlockHeight; y <= h; ++y)
        for (int x = BlockWidth; x <= w; ++x)
            if (at(x, y) - at(x - BlockWidth, y) - at(x, y - BlockHeight) + at(x - BlockWidth, y - BlockHeight)
                == BlockWidth * BlockHeight) {
                std::fprintf(stderr, "dialog check: a black block at (%d, %d)\n", program.left() + x - BlockWidth,
                             program.top() + y - BlockHeight);
                return fail("part of the program's windows is not painted");
            }
    std::printf("dialog check: the program's %d x %d pixels hold no unpainted block\n", w, h);
    return 0;
}
