// `orvanel-cli align`: a pair loaded, points placed, alignment commands run in
// order as the Montage window runs them, the result written as a parameter file.
#pragma once

#include <QStringList>

#include <cstdio>

// The lines of the command's help, appended to the program's usage text.
extern const char* const AlignUsage;

// Runs `align` with the arguments after the command name. One line per step
// on `out` ("level: right view posx -10.00 posy 5.00", "rotate: right view
// 1.70°"); messages and usage errors on `err`. Returns 0 on success; 1 when
// the pair could not be read, the magnification factor was refused, the
// automatic steps found no reliable matches or the
// file could not be written; 2 on a usage error, a point outside its
// picture, a step whose points are missing (or whose A1 lies closer than
// 2 px to C), or an output path it may not replace.
int RunAlignCommand(const QStringList& args, std::FILE* out = stdout, std::FILE* err = stderr);
