// Build step: the application icon as PNG, for the desktop's icon theme.
#include <QImage>

#include "app/glyphs/mainicon.xpm"

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    return QImage(mainicon_xpm).save(argv[1], "PNG") ? 0 : 1;
}
