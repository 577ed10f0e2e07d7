// The readers of outside data driven from raw bytes: each function is one fuzz
// target, called by libFuzzer in the fuzz build and by the corpus replay test
// in the ordinary one.
#pragma once

#include <cstddef>
#include <cstdint>

// The JPEG decoder on the bytes, the first byte choosing the reading options.
int FuzzJpeg(const std::uint8_t* data, std::size_t size);
// The picture loader: a length byte and that many bytes of extension, then
// the file.
int FuzzPicture(const std::uint8_t* data, std::size_t size);
// The parameter-file reader on the bytes as a .prm file.
int FuzzParams(const std::uint8_t* data, std::size_t size);
// The INI reader (settings and language files): read, write, read again, and
// the second reading must give the same text.
int FuzzIni(const std::uint8_t* data, std::size_t size);
// The composite splitter on a small picture made of the bytes: the first
// bytes give the size, kind and band.
int FuzzComposite(const std::uint8_t* data, std::size_t size);
// The list file of `render --list` on the bytes as its text.
int FuzzRenderList(const std::uint8_t* data, std::size_t size);

// The MPO index reader and its fallback scan on the bytes as an MPO file,
// then the pictures found decoded.
int FuzzMpo(const std::uint8_t* data, std::size_t size);

// The language-file reader on the bytes as a language file: the free
// strings and a window with a combo box and tab pages read from it.
int FuzzLng(const std::uint8_t* data, std::size_t size);

// The targets by name, for the replay test and the fuzz programs.
struct tfuzztarget {
    const char* name;
    int (*run)(const std::uint8_t*, std::size_t);
};
extern const tfuzztarget FuzzTargets[8];
