#pragma once

#include <string>

/// The graphing program's version record. Its program file holds these 16 bytes somewhere
/// in its contents (the stand-in keeps them in its read-only data), every field
/// little-endian:
///
///   offset 0   uint32  signature 0xFEEF04BD (the bytes BD 04 EF FE)
///   offset 4   uint32  layout of the record, 0x00010000 (the bytes 00 00 01 00)
///   offset 8   uint16  major
///   offset 10  uint16  minor
///   offset 12  uint16  build
///   offset 14  uint16  revision
///
/// The layout word tells a record from the signature's bytes appearing by chance, for
/// example as an operand in machine code. The first record in the file counts.
constexpr unsigned int VersionRecordSignature = 0xFEEF04BDu;
constexpr unsigned int VersionRecordLayout = 0x00010000u;
constexpr int VersionRecordSize = 16;

/// The machine-wide registry key whose default value is the open command of the graphing
/// program's documents.
constexpr const char* GraphingProgramOpenKey =
    "SOFTWARE\\Classes\\Vorla4.Document\\shell\\open\\command";

/// Finds the graphing program through its documents' registered open command. The command
/// is cut at the argument marker (a blank, then %1 in double quotes), together with a double
/// quote just before it; a command without the marker is taken whole. A leading
/// double quote is then skipped, and when the command had no marker the text ends at the
/// matching closing quote. False when the key or its value is missing, empty, 500 bytes or
/// longer, or leaves no path.
bool FindGraphingProgram(std::string& path);

/// The largest program file whose version record is looked for; the stand-in's is far
/// smaller, even built with the sanitizers.
constexpr unsigned long long MaxVersionedFileSize = 64ull << 20;

/// True when the version record of the file at path is at least major.minor.build.revision;
/// the fields are compared in that order and the first difference decides. False when the
/// file cannot be read or holds no record, and for anything but a regular file of at most
/// MaxVersionedFileSize bytes (a device or a FIFO would never end).
bool CheckFileVersion(const std::string& path, int major, int minor, int build, int revision);
