#pragma once
// The remote's picture at the start of a record's Blob, and the rules for taking a new one
// from a file.
#include "ModelRecord.h"
#include "platform/Errors.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mm {

// 100K: a file of exactly this size is taken, one byte more is refused.
inline constexpr size_t kMaxPictureFileSize = 100 * 1024;
inline constexpr char kNotJpegFileMessage[] = "Must be jpg image file";
inline constexpr char kPictureTooBigMessage[] = "the image file can not bigger than 100K";
// Written to the working directory by a click on the picture.
inline constexpr char kClickedPictureFileName[] = "s.jpg";

// A picture file the rules refuse; what() is the message the user is shown.
class PictureRefused : public Error {
public:
    using Error::Error;
};

// ".JPG" or ".JPEG" in any case, taken from the last "." of the name's last path component.
bool HasJpegExtension(std::string_view fileName);

// The bytes of a file chosen with "Load Picture...": PictureRefused for another extension
// (before the file is opened) or for a file over kMaxPictureFileSize (before it is read);
// FileOpenError or ReadError when it cannot be read.
TSSByteArray ReadPictureFile(const std::string& fileName);

// Whether the record names a picture at all (PicSize not 0); its bytes are PictureBytes,
// which are empty when PicSize does not fit in Blob, so such a picture fails to decode.
inline bool HasPicture(const TMyModelRecord& record) {
    return record.PicSize != 0;
}

// Puts the new picture at the start of Blob. The code region that followed the old picture
// (Blob from PicSize to BlobSize, when those lie within Blob) moves behind the new one and
// BlobSize follows, so the record stays whole until the next store rebuilds the region from
// the code pages; a region that does not lie within Blob is dropped with its counts.
void ReplacePicture(TMyModelRecord& record, const TSSByteArray& picture);

} // namespace mm
