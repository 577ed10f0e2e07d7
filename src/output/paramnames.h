// The parameter file under the name the save fields give it: its default
// path, the save under that name and the open dialog that proposes it.
#pragma once

#include "core/paramfile.h"

#include <QString>

struct tnamingfields;
class tfolderquestions;

// The path the parameter file of the current save fields gets
// ("current.prm" when there is none); also stored as PrmFileName.
QString DefaultParamName(tnamingfields& fields, const tsettings& settings,
                         tfolderquestions& questions);

// Writes the pair under DefaultParamName, through the save dialog.
bool SaveParams(const tviewpair& pair, tnamingfields& fields, tparamhost& host, tsettings& settings,
                tfolderquestions& questions);

// The open dialog, then ReadParams of the chosen file. Cancel does nothing
// and returns Refused.
tparamread OpenParamsDialog(tviewpair& pair, bool withImages, tnamingfields& fields,
                            tparamhost& host, tsettings& settings, tfolderquestions& questions);
