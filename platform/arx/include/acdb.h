#pragma once
// Basic types of the drawing database: status codes, open modes, integers.
#include <cstdint>

typedef char ACHAR;

namespace Adesk {
typedef std::int8_t Int8;
typedef std::int16_t Int16;
typedef std::int32_t Int32;
typedef std::uint8_t UInt8;
typedef std::uint16_t UInt16;
typedef std::uint32_t UInt32;
typedef std::int64_t Int64;
typedef std::uint64_t UInt64;
typedef bool Boolean;
const Boolean kFalse = false;
const Boolean kTrue = true;
}  // namespace Adesk

namespace Acad {
enum ErrorStatus {
  eOk = 0,
  eNotImplementedYet,
  eNotApplicable,
  eInvalidInput,
  eAmbiguousInput,
  eOutOfMemory,
  eBufferTooSmall,
  eInvalidOpenState,
  eKeyNotFound,
  eDuplicateKey,
  eInvalidKey,
  eNullObjectId,
  eNullObjectPointer,
  eNullEntityPointer,
  eInvalidAdsName,
  eNotOpenForRead,
  eNotOpenForWrite,
  eWasOpenForRead,
  eWasOpenForWrite,
  eWasOpenForNotify,
  eWasErased,
  eAtMaxReaders,
  eAlreadyInDb,
  eNotInDatabase,
  eWrongDatabase,
  eWrongObjectType,
  eOnLockedLayer,
  eFileNotFound,
  eFileAccessErr,
  eInvalidDxfCode,
  eBadDxfSequence,
  eDegenerateGeometry,
  eNotThatKindOfClass,
  eNoDatabase,
  eImageNotLoaded,
  eInvalidImage,
  eInvalidExtents,
  eInvalidIndex,
  eCannotScaleNonUniformly,
};
}  // namespace Acad

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
enum Visibility { kVisible = 0, kInvisible = 1 };
}  // namespace AcDb
