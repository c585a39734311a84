#pragma once

// Application-wide set-up the program's main and the tests share; call once after the
// QApplication exists and before any screen is made. When the system's fonts have no Tahoma,
// registers Wine's as an application font (found through fontconfig with the program's own
// font configuration, the media's fonts/fonts.conf), or else lets Liberation Sans stand in and
// says so on standard error. Maps the designed font names to the free fonts that stand in for
// them (Times New Roman to Liberation Serif, Arial to Liberation Sans, MS Sans Serif to
// Tahoma), selects the Fusion style so every machine draws the controls alike, and makes
// label buttons known to the accessibility layer.
//
// Font sizes: Qt 6 lays out in logical pixels at 96 per inch on every screen (high-DPI
// scaling covers the rest), so 1 pt is 20 twips on screen as the designs assume.
namespace Toolkit {
void initialise();

// initialise() in two halves, for the program's start. The first does all but Tahoma, whose
// lookup (fontconfig reads the system's whole font configuration) it starts on a thread of its
// own; screens may then be made and shown, but no text measured or drawn. The second sends
// the windows shown so far to the window system, so that they go up meanwhile, then waits for
// the lookup and registers Tahoma; call it before the event loop paints anything.
void startInitialising();
void finishInitialising();
} // namespace Toolkit
