#pragma once

#include <array>
#include <string>
#include <string_view>

#include "metadata/iptc/IptcFields.h"
#include "metadata/iptc/TIPTCdata.h"
#include "metadata/jpeg/JpegRewrite.h"

// The IPTC write: one function owns its sequence, from the scan of the source to the commit of the
// destination; the parts it calls encode and decide, and know nothing of files.
namespace dux {

// The texts the 31 fields are to hold after a write, in kIptcFields' order, in code page 1252.
using tFieldValues = std::array<std::string, kIptcFields.size()>;

// A field's text cut to the field's write limit (each item of a list field).
std::string LimitFieldText(const tIptcFieldRow& row, std::string_view text);

// Rewrites the JPEG file `source` into `destination` through `open`: each field whose text in
// `values` differs from what a read gives for the source is written, cut to its limit; every
// other dataset and resource, and every other byte of the file, stays as it was. The XMP packet
// gets the changed fields' properties and keeps everything else (a file without one gets one
// only with options.createXmp); one that cannot follow keeps its old values, and the IIM then
// takes every value the read gave. The IPTC digest is set so that the next read gives what was
// written. The file written is read back before it is committed. Throws FormatError naming the
// file when the source cannot be rewritten or the destination written; it is then unchanged.
void WriteIptc(const std::string& source, const std::string& destination,
               const tFieldValues& values, const tWriteOptions& options = {},
               const OutputOpener& open = OpenReplacingFile);
// The same for a source already opened, whatever its name.
void WriteIptc(JpegImage& source, const std::string& destination, const tFieldValues& values,
               const tWriteOptions& options = {}, const OutputOpener& open = OpenReplacingFile);

}  // namespace dux
