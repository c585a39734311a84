#pragma once

#include <QString>

#include <array>

// The worksheet and the catalogue in memory, shared by every screen that reads or writes
// them. Arrays are indexed from 1 as the files number their entries; element 0 is unused.

inline constexpr int worksheetQuestionCount = 10;
inline constexpr int catalogueCapacity = 1000;

// Title of the worksheet last read (commas restored).
inline QString worktitle;
// Question q (1 to 10): its text, answers A to D, and the correct answer as read from the
// file, "1" to "4" for A to D.
inline std::array<QString, worksheetQuestionCount + 1> questions;
inline std::array<QString, worksheetQuestionCount + 1> answera;
inline std::array<QString, worksheetQuestionCount + 1> answerb;
inline std::array<QString, worksheetQuestionCount + 1> answerc;
inline std::array<QString, worksheetQuestionCount + 1> answerd;
inline std::array<QString, worksheetQuestionCount + 1> correct;

// Number of catalogue entries as last read from track.txt, and their titles 1 to trackcount.
inline int trackcount = 0;
inline std::array<QString, catalogueCapacity + 1> tracklist;
