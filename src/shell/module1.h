#pragma once

#include "worksheetglobals.h"

#include <QString>
#include <array>

class Form;

// The program's shared state: plain globals that outlive any one screen. All start empty
// (0 or ""); nothing is saved when the program ends. The worksheet and the catalogue in
// memory (worktitle, questions, ..., trackcount, tracklist) come from worksheetglobals.h.

// Sound effects: 1 = on, anything else = off. Unset (0) until the main menu first loads.
inline int soundon = 0;

// The quiz: the question on show (1 to 10), the mark of each question when last left
// forward (index 0 unused), and the heading kept for the certificate.
inline int questnum = 0;
inline std::array<int, worksheetQuestionCount + 1> marks {};
inline QString quizheading;

// Handed to the results screen by the quiz and the activities.
inline int score = 0;
inline int outof = 0;

// The Worksheets Catalogue: the page shown (from 0) and the title chosen for deletion.
inline int catpage = 0;
inline QString delname;

// The page viewers: the page on show, the number of pages, the base name of the open set and
// where it lies,
// and the logo animation's frame counter, which is never reset.
inline int pagenum = 0;
inline int pagetotal = 0;
inline QString pageset;
// The media folder the open page set lies in: "" for the program's own pages, or a topic's
// folder ("topics/rivers2/") when the topic brings its own.
inline QString pagefolder;
inline int logoframe = 0;

// The standard frame every content screen applies first in its load: background, caption,
// the Picture1 box's background where the screen has one, 12000 x 9000 twips, centred on the
// display.
void formlayout(Form &screen);

// Plays a sound effect by relative path ("wav\click.wav") through the backdrop's player,
// only when soundon is 1. Loads the backdrop, without showing it, if it is not loaded yet.
void requestSound(const QString &relativePath);
