#!/usr/bin/env python3
"""Reading level of every page: prints the Flesch-Kincaid grade of each page source and fails
when a page reads above its limit.

The text of a page is the running text of its textAreas (headings and the labels on drawings
are not sentences). Each tbreak ends a paragraph, and a paragraph without a full stop (a list
item, a line of answers) counts as one sentence.

Pupils' pages (key facts, the introduction, the acknowledgments) are held to grade 6, the top
of the primary years. Teachers' pages (teacher's notes, the guide) are held to grade 8, the
plain English expected of writing for any adult reader: the notes must use the subject's long
words (drainage basin, confluence, evaporation) again and again, which a teacher reads easily
but which raise the grade, and lists of answers and lesson ideas read best in full sentences
that a lower limit would chop up.

Usage: readability.py MEDIA_SRC_DIR
"""

import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

PUPIL_LIMIT = 6.0
TEACHER_LIMIT = 8.0
SVG = "{http://www.w3.org/2000/svg}"


def paragraphs(svg_path):
    """The paragraphs of running text of one page, in order."""
    root = ET.parse(svg_path).getroot()
    result = []
    for area in root.iter(SVG + "textArea"):
        current = [area.text or ""]
        for child in area:
            if child.tag == SVG + "tbreak":
                result.append("".join(current))
                current = []
            else:
                current.append("".join(child.itertext()))
            current.append(child.tail or "")
        result.append("".join(current))
    return [" ".join(p.split()) for p in result if p.strip()]


def syllables(word):
    word = re.sub(r"[^a-z]", "", word.lower())
    if len(word) <= 3:
        return 1
    word = re.sub(r"(?:[^laeiouy]es|[^laeiouy]ed|[^laeiouy]e)$", "", word)
    word = re.sub(r"^y", "", word)
    return max(1, len(re.findall(r"[aeiouy]{1,2}", word)))


WORD = re.compile(r"[A-Za-z0-9'\u2019]+(?:-[A-Za-z0-9'\u2019]+)*")
# A sentence ends at . ! or ? before a space or the end, but not after a list number ("1.").
SENTENCE_END = re.compile(r"(?<![0-9])[.!?]+(?=\s|$)|\s[\u00b7\u2022]\s")


def grade(texts):
    """Flesch-Kincaid grade of the paragraphs, with their word and sentence counts."""
    words = sentences = syllable_count = 0
    for text in texts:
        for sentence in SENTENCE_END.split(text.replace("\u2022", " ")):
            found = WORD.findall(sentence)
            if not found:
                continue
            sentences += 1
            words += len(found)
            syllable_count += sum(syllables(part) for w in found for part in w.split("-"))
    if not words:
        return 0.0, 0, 0
    level = 0.39 * words / sentences + 11.8 * syllable_count / words - 15.59
    return level, words, sentences


def teacher_names(topic_dir):
    """The page sources of a topic that are its teacher's notes, from topic.ini and media.txt."""
    notes = ""
    ini = topic_dir / "topic.ini"
    if ini.exists():
        for line in ini.read_text(encoding="utf-8", errors="replace").splitlines():
            key, _, value = line.partition("=")
            if key.strip() == "notes":
                notes = value.strip().lower()
    names = set()
    media = topic_dir / "media.txt"
    if notes and media.exists():
        for line in media.read_text(encoding="utf-8", errors="replace").splitlines():
            fields = line.strip().split("|")
            if len(fields) == 3 and fields[0] == "page" and fields[2].lower().startswith(notes):
                names.add(Path(fields[1]).name)
    return names


def pages(media_src):
    """Every page source with whether it is for teachers."""
    for path in sorted((media_src / "pages").glob("*.svg")):
        yield path, path.stem.startswith(("notes", "guide"))
    for topic in sorted((media_src / "topics").glob("*/")):
        teachers = teacher_names(topic)
        for path in sorted((topic / "pages").glob("*.svg")):
            yield path, path.name in teachers or "notes" in path.stem.lower()


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    media_src = Path(argv[1])
    failures = 0
    checked = 0
    for path, for_teachers in pages(media_src):
        level, words, sentences = grade(paragraphs(path))
        limit = TEACHER_LIMIT if for_teachers else PUPIL_LIMIT
        verdict = "ok" if level <= limit else "TOO HARD"
        failures += level > limit
        checked += 1
        reader = "teachers" if for_teachers else "pupils"
        print(f"{path.relative_to(media_src)}: grade {level:.1f} ({words} words, "
              f"{sentences} sentences; {reader}, limit {limit:g}) {verdict}")
    if not checked:
        print(f"no pages under {media_src}", file=sys.stderr)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
