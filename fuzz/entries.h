#pragma once
// What each fuzz target does with one input, shared by the libFuzzer programs
// and the replay of committed inputs in the ordinary test suite. Each aborts
// (through Check) when a promise of the readers is broken; a crash, leak or
// hang is caught by the sanitizers and the fuzzer themselves.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnix::fuzz {

// The input split into a text file and its data file: the first four bytes
// (little-endian) give the text's length, the rest after the text is the data.
struct FilePair {
  std::string text;
  std::string data;
};
FilePair SplitPair(const uint8_t* bytes, size_t size);
// The inverse, for making seeds from real files.
std::string JoinPair(const std::string& text, const std::string& data);

// A raw test (.CHT + .CHD) through the reader and the document's open.
void RawTest(const uint8_t* bytes, size_t size);
// A result file (.CHA + .CHD) likewise.
void ResultFile(const uint8_t* bytes, size_t size);
// An older instrument's test (.RTX + .RDA) through its reader.
void RtxTest(const uint8_t* bytes, size_t size);
// A single-wave file through "单波读取", with no test open and with the
// bundled sample open: the clipboard is filled by the rules or left alone.
void SingleWave(const uint8_t* bytes, size_t size);
// A settings file, read; what it read must write and read back the same.
void SettingsFile(const uint8_t* bytes, size_t size);
// One waveform through the automatic picker: its sampling interval and delay
// (two little-endian floats, as a header may hold them), the filter switches
// and cut-offs (three bytes), then the samples; the picks stay inside it.
void PickWaveformInput(const uint8_t* bytes, size_t size);

}  // namespace tarnix::fuzz
