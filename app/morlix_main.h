// The main window: its controls, the waveform document it owns, and one
// handler per user action.
#pragma once

#include "dsp/SplineU.h"
#include "dsp/fftU.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/StatusBar.h"
#include "platform/UserInterface.h"
#include "wave/writewaveU.h"

#include <QIcon>
#include <QScrollBar>
#include <QToolButton>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TForm1 : public TForm {
public:
    // Builds the window as designed, then runs FormCreate.
    TForm1();
    // Runs FormClose while the controls still exist.
    ~TForm1() override;

    // Controls, in their designed order.
    TImage* Image1;
    TStatusBar* StatusBar1;
    QWidget* ToolBar1;
    QToolButton* ButtonNew;
    QToolButton* Button;
    QWidget* ToolButton4;
    QToolButton* ButtonPlay;
    QWidget* ToolButton6;
    QToolButton* ToolButton7;
    std::vector<QIcon> ImageList1;
    QScrollBar* ScrollBar1;
    QToolButton* ToolButton1;
    QWidget* ToolButton2;
    QScrollBar* ScrollBar2;
    TOpenDialog OpenDialog1;
    QToolButton* ToolButton5;
    QToolButton* ToolButton8;
    QWidget* ToolButton9;
    TSaveDialog SaveDialog1;
    TOpenDialog OpenDialog2;
    TImage* Image2;
    QToolButton* ToolButton3;

    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender);
    void ShowHint(QObject* Sender);

    void ToolButton5Click(QObject* Sender);  // shift left
    void ToolButton8Click(QObject* Sender);  // shift right

    void ClearWaveView();
    void DrawWave();
    void Image1MouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Image1MouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void Image1MouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ScrollBar1Change(QObject* Sender);

    void ButtonNewClick(QObject* Sender);
    void ButtonClick(QObject* Sender);
    void ToolButton7Click(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void CheckFileSave();

    void ButtonPlayClick(QObject* Sender);
    void ScrollBar2Change(QObject* Sender);
    void PlayPreview();
    void ToolButton3Click(QObject* Sender);
    void DrawSpectrum();

    void ToolButton1Click(QObject* Sender);  // WAVE import

private:
    friend class TForm1Probe;  // tests read and set the document directly

    void StoreSample(int index, int value);
    bool SaveChangesFirst();

    std::unique_ptr<std::vector<std::uint8_t>> FSoundBuf;
    std::unique_ptr<TSpline> FSpline;
    std::unique_ptr<TFFT> FFFT;
    std::unique_ptr<TWriteWave> FWriteWave;
    bool FModified = false;
    std::int32_t FVolume = 0;
    bool FDrawing = false;
    std::int16_t FWave[256] = {};
    std::int32_t FSound[1024] = {};
};

extern TForm1* Form1;

// The folder of the program's own file, ending in "/".
std::string GetAppDir();
