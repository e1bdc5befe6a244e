// Reaches into the window's document for tests.
#pragma once

#include "app/morlix_main.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class TForm1Probe {
public:
    static std::int16_t* Wave(TForm1& f) { return f.FWave; }
    static bool& Modified(TForm1& f) { return f.FModified; }
    static bool& Drawing(TForm1& f) { return f.FDrawing; }
    static std::int32_t Volume(const TForm1& f) { return f.FVolume; }
    static const std::int32_t* Sound(const TForm1& f) { return f.FSound; }
    static const TSpline* Spline(const TForm1& f) { return f.FSpline.get(); }
    static const TFFT* FFT(const TForm1& f) { return f.FFFT.get(); }
    static const std::vector<std::uint8_t>* SoundBuf(const TForm1& f) { return f.FSoundBuf.get(); }
};
