#pragma once

#include "controlarray.h"

#include <QString>

class Label;
class Picture;

// What the two page viewers share: their four buttons and page indicator, and printing the
// print copy of the page on show.
namespace ViewerParts {

// label3(0) "Print", (1) "Exit", (2) "Next Page", (3) "Previous Page" as designed: yellow bold
// Tahoma 15.75 pt on opaque black, centred, single border. "Previous Page" starts disabled.
void createButtons(ControlArray<Label> &label3, QWidget *parent);

// The page indicator: black bold Tahoma 15.75 pt on white, centred, at 4200, 7920.
void setupPageLabel(Label &label);

// "Page 2 of 3".
QString pageCaption(int page, int total);

// Prints the print picture of a page on the printer in use: one empty line, the picture at its
// natural size with its top-left corner at 1000, 1000 twips, end of job. Without a picture
// nothing is sent (no blank sheet); a printer failure drops the job and is not reported, as
// these screens show no messages about printing. Only on a machine without printers, where
// the page becomes a PDF file, a message says where the file is, or that it could not be
// written.
void printPage(const Picture &printCopy);

} // namespace ViewerParts
