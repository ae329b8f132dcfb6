#include "metadata/exif/ExifTags.h"

#include <algorithm>
#include <vector>

#include "metadata/exif/ExifFormatters.h"
#include "metadata/tiff/TagRows.h"
#include "text/AsciiText.h"

namespace dux {

// The rows in ascending tag order; a tag they lack is listed as kUnknownTag. Labels left
// empty here are made from the short names on first use.
constexpr tTagRow kExifRows[] = {
    {.TagNumber = 0x0001, .ShortName = "InteroperabilityIndex"},
    {.TagNumber = 0x0002, .ShortName = "InteroperabilityVersion"},
    {.TagNumber = 0x000B, .ShortName = "ACDComment"},
    {.TagNumber = 0x00FE, .ShortName = "NewSubfileType"},
    {.TagNumber = 0x00FF, .ShortName = "SubfileType"},
    {.TagNumber = 0x0100, .ShortName = "ImageWidth"},
    {.TagNumber = 0x0101, .ShortName = "ImageLength"},
    {.TagNumber = 0x0102, .ShortName = "BitsPerSample"},
    {.TagNumber = 0x0103,
     .ShortName = "Compression",
     .ValueCodes = "6:Jpeg,1:TIFF,2:CCITT 1D,3:T4/Group 3 Fax,4:T6/Group 4 Fax,5:LZW,7:JPEG,"
                   "8:Adobe Deflate,9:JBIG B&W,10:JBIG Color,32773:PackBits,32946:Deflate,"
                   "34712:JPEG 2000,34892:Lossy JPEG"},
    {.TagNumber = 0x0106,
     .ShortName = "PhotometricInterpretation",
     .ValueCodes = "0:WhiteIsZero,1:Monochrome,2:RGB,3:RGB Palette,4:Transparency Mask,5:CMYK,"
                   "6:YCbCr,8:CIELab,9:ICCLab,10:ITULab,32803:Color Filter Array,"
                   "34892:Linear Raw"},
    {.TagNumber = 0x010A, .ShortName = "FillOrder"},
    {.TagNumber = 0x010D, .ShortName = "DocumentName"},
    {.TagNumber = 0x010E, .ShortName = "ImageDescription"},
    {.TagNumber = 0x010F, .ShortName = "Make"},
    {.TagNumber = 0x0110, .ShortName = "Model"},
    {.TagNumber = 0x0111, .ShortName = "StripOffsets"},
    {.TagNumber = 0x0112,
     .ShortName = "Orientation",
     .ValueCodes = "1:Normal,2:Mirrored horizontally,3:Rotated 180\xB0,4:Mirrored vertically,"
                   "5:Mirrored and Clockwise 90\xB0,6:CounterClockwise 90\xB0,"
                   "7:Mirrored and CounterClockwise 90\xB0,8:Clockwise 90\xB0"},
    {.TagNumber = 0x0115, .ShortName = "SamplesPerPixel"},
    {.TagNumber = 0x0116, .ShortName = "RowsPerStrip"},
    {.TagNumber = 0x0117, .ShortName = "StripByteCounts"},
    {.TagNumber = 0x0118, .ShortName = "MinSampleValue"},
    {.TagNumber = 0x0119, .ShortName = "MaxSampleValue"},
    {.TagNumber = 0x011A, .ShortName = "XResolution", .FormatText = "%5.2f"},
    {.TagNumber = 0x011B, .ShortName = "YResolution", .FormatText = "%5.2f"},
    {.TagNumber = 0x011C, .ShortName = "PlanarConfiguration"},
    {.TagNumber = 0x011D, .ShortName = "PageName"},
    {.TagNumber = 0x011E, .ShortName = "XPosition"},
    {.TagNumber = 0x011F, .ShortName = "YPosition"},
    {.TagNumber = 0x0120, .ShortName = "FreeOffsets"},
    {.TagNumber = 0x0121, .ShortName = "FreeByteCounts"},
    {.TagNumber = 0x0122, .ShortName = "GrayReponseUnit"},
    {.TagNumber = 0x0123, .ShortName = "GrayReponseCurve"},
    {.TagNumber = 0x0124, .ShortName = "T4Options"},
    {.TagNumber = 0x0125, .ShortName = "T6Options"},
    {.TagNumber = 0x0128,
     .ShortName = "ResolutionUnit",
     .ValueCodes = "1:None Specified,2:Inch,3:Centimeter"},
    {.TagNumber = 0x0129, .ShortName = "PageNumber"},
    {.TagNumber = 0x012D, .ShortName = "TransferFunction"},
    {.TagNumber = 0x0131, .ShortName = "Software"},
    {.TagNumber = 0x0132, .ShortName = "DateTime"},
    {.TagNumber = 0x013B, .ShortName = "Artist"},
    {.TagNumber = 0x013C, .ShortName = "HostComputer"},
    {.TagNumber = 0x013D, .ShortName = "Predictor"},
    {.TagNumber = 0x013E, .ShortName = "WhitePoint"},
    {.TagNumber = 0x013F, .ShortName = "PrimaryChromaticities"},
    {.TagNumber = 0x0140, .ShortName = "ColorMap"},
    {.TagNumber = 0x0141, .ShortName = "HalfToneHints"},
    {.TagNumber = 0x0142, .ShortName = "TileWidth"},
    {.TagNumber = 0x0143, .ShortName = "TileLength"},
    {.TagNumber = 0x0144, .ShortName = "TileOffsets"},
    {.TagNumber = 0x0145, .ShortName = "TileByteCounts"},
    {.TagNumber = 0x014A, .ShortName = "SubIFDs"},
    {.TagNumber = 0x014C, .ShortName = "InkSet"},
    {.TagNumber = 0x014D, .ShortName = "InkNames"},
    {.TagNumber = 0x014E, .ShortName = "NumberOfInks"},
    {.TagNumber = 0x0150, .ShortName = "DotRange"},
    {.TagNumber = 0x0151, .ShortName = "TargetPrinter"},
    {.TagNumber = 0x0152, .ShortName = "ExtraSample"},
    {.TagNumber = 0x0153, .ShortName = "SampleFormat"},
    {.TagNumber = 0x0154, .ShortName = "SMinSampleValue"},
    {.TagNumber = 0x0155, .ShortName = "SMaxSampleValue"},
    {.TagNumber = 0x0156, .ShortName = "TransferRange"},
    {.TagNumber = 0x0157, .ShortName = "ClipPath"},
    {.TagNumber = 0x0158, .ShortName = "XClipPathUnits"},
    {.TagNumber = 0x0159, .ShortName = "YClipPathUnits"},
    {.TagNumber = 0x015A, .ShortName = "Indexed"},
    {.TagNumber = 0x015B, .ShortName = "JPEGTables"},
    {.TagNumber = 0x015F, .ShortName = "OPIProxy"},
    {.TagNumber = 0x0200, .ShortName = "JPEGProc"},
    {.TagNumber = 0x0201, .ShortName = "JPEGInterchangeFormat"},
    {.TagNumber = 0x0202, .ShortName = "JPEGInterchangeFormatLength"},
    {.TagNumber = 0x0203, .ShortName = "JPEGRestartInterval"},
    {.TagNumber = 0x0205, .ShortName = "JPEGLosslessPredictors"},
    {.TagNumber = 0x0206, .ShortName = "JPEGPointTransforms"},
    {.TagNumber = 0x0207, .ShortName = "JPEGQTables"},
    {.TagNumber = 0x0208, .ShortName = "JPEGDCTables"},
    {.TagNumber = 0x0209, .ShortName = "JPEGACTables"},
    {.TagNumber = 0x0211, .ShortName = "YCbCrCoefficients"},
    {.TagNumber = 0x0212, .ShortName = "YCbCrSubSampling"},
    {.TagNumber = 0x0213, .ShortName = "YCbCrPositioning", .ValueCodes = "1:Centered,2:Co-sited"},
    {.TagNumber = 0x0214, .ShortName = "ReferenceBlackWhite"},
    {.TagNumber = 0x02BC, .ShortName = "ExtensibleMetadataPlatform"},
    {.TagNumber = 0x0301, .ShortName = "Gamma"},
    {.TagNumber = 0x0302, .ShortName = "ICCProfileDescriptor"},
    {.TagNumber = 0x0303, .ShortName = "SRGBRenderingIntent"},
    {.TagNumber = 0x0304, .ShortName = "ImageTitle"},
    {.TagNumber = 0x1000, .ShortName = "RelatedImageFileFormat"},
    {.TagNumber = 0x1001, .ShortName = "RelatedImageWidth"},
    {.TagNumber = 0x1002, .ShortName = "RelatedImageHeight"},
    {.TagNumber = 0x5001, .ShortName = "ResolutionXUnit"},
    {.TagNumber = 0x5002, .ShortName = "ResolutionYUnit"},
    {.TagNumber = 0x5003, .ShortName = "ResolutionXLengthUnit"},
    {.TagNumber = 0x5004, .ShortName = "ResolutionYLengthUnit"},
    {.TagNumber = 0x5005, .ShortName = "PrintFlags"},
    {.TagNumber = 0x5006, .ShortName = "PrintFlagsVersion"},
    {.TagNumber = 0x5007, .ShortName = "PrintFlagsCrop"},
    {.TagNumber = 0x5008, .ShortName = "PrintFlagsBleedWidth"},
    {.TagNumber = 0x5009, .ShortName = "PrintFlagsBleedWidthScale"},
    {.TagNumber = 0x500A, .ShortName = "HalftoneLPI"},
    {.TagNumber = 0x500B, .ShortName = "HalftoneLPIUnit"},
    {.TagNumber = 0x500C, .ShortName = "HalftoneDegree"},
    {.TagNumber = 0x500D, .ShortName = "HalftoneShape"},
    {.TagNumber = 0x500E, .ShortName = "HalftoneMisc"},
    {.TagNumber = 0x500F, .ShortName = "HalftoneScreen"},
    {.TagNumber = 0x5010, .ShortName = "JPEGQuality"},
    {.TagNumber = 0x5011, .ShortName = "GridSize"},
    {.TagNumber = 0x5012, .ShortName = "ThumbnailFormat"},
    {.TagNumber = 0x5013, .ShortName = "ThumbnailWidth"},
    {.TagNumber = 0x5014, .ShortName = "ThumbnailHeight"},
    {.TagNumber = 0x5015, .ShortName = "ThumbnailColorDepth"},
    {.TagNumber = 0x5016, .ShortName = "ThumbnailPlanes"},
    {.TagNumber = 0x5017, .ShortName = "ThumbnailRawBytes"},
    {.TagNumber = 0x5018, .ShortName = "ThumbnailSize"},
    {.TagNumber = 0x5019, .ShortName = "ThumbnailCompressedSize"},
    {.TagNumber = 0x501A, .ShortName = "ColorTransferFunction"},
    {.TagNumber = 0x501B, .ShortName = "ThumbnailData"},
    {.TagNumber = 0x5020, .ShortName = "ThumbnailImageWidth"},
    {.TagNumber = 0x5021, .ShortName = "ThumbnailImageHeight"},
    {.TagNumber = 0x5022, .ShortName = "ThumbnailBitsPerSample"},
    {.TagNumber = 0x5023, .ShortName = "ThumbnailCompression"},
    {.TagNumber = 0x5024, .ShortName = "ThumbnailPhotometricInterp"},
    {.TagNumber = 0x5025, .ShortName = "ThumbnailImageDescription"},
    {.TagNumber = 0x5026, .ShortName = "ThumbnailEquipMake"},
    {.TagNumber = 0x5027, .ShortName = "ThumbnailEquipModel"},
    {.TagNumber = 0x5028, .ShortName = "ThumbnailStripOffsets"},
    {.TagNumber = 0x5029, .ShortName = "ThumbnailOrientation"},
    {.TagNumber = 0x502A, .ShortName = "ThumbnailSamplesPerPixel"},
    {.TagNumber = 0x502B, .ShortName = "ThumbnailRowsPerStrip"},
    {.TagNumber = 0x502C, .ShortName = "ThumbnailStripBytesCount"},
    {.TagNumber = 0x502D, .ShortName = "ThumbnailResolutionX"},
    {.TagNumber = 0x502E, .ShortName = "ThumbnailResolutionY"},
    {.TagNumber = 0x502F, .ShortName = "ThumbnailPlanarConfig"},
    {.TagNumber = 0x5030, .ShortName = "ThumbnailResolutionUnit"},
    {.TagNumber = 0x5031, .ShortName = "ThumbnailTransferFunction"},
    {.TagNumber = 0x5032, .ShortName = "ThumbnailSoftwareUsed"},
    {.TagNumber = 0x5033, .ShortName = "ThumbnailDateTime"},
    {.TagNumber = 0x5034, .ShortName = "ThumbnailArtist"},
    {.TagNumber = 0x5035, .ShortName = "ThumbnailWhitePoint"},
    {.TagNumber = 0x5036, .ShortName = "ThumbnailPrimaryChromaticities"},
    {.TagNumber = 0x5037, .ShortName = "ThumbnailYCbCrCoefficients"},
    {.TagNumber = 0x5038, .ShortName = "ThumbnailYCbCrSubsampling"},
    {.TagNumber = 0x5039, .ShortName = "ThumbnailYCbCrPositioning"},
    {.TagNumber = 0x503A, .ShortName = "ThumbnailRefBlackWhite"},
    {.TagNumber = 0x503B, .ShortName = "ThumbnailCopyRight"},
    {.TagNumber = 0x5090, .ShortName = "LuminanceTable"},
    {.TagNumber = 0x5091, .ShortName = "ChrominanceTable"},
    {.TagNumber = 0x5100, .ShortName = "FrameDelay"},
    {.TagNumber = 0x5101, .ShortName = "LoopCount"},
    {.TagNumber = 0x5110, .ShortName = "PixelUnit"},
    {.TagNumber = 0x5111, .ShortName = "PixelPerUnitX"},
    {.TagNumber = 0x5112, .ShortName = "PixelPerUnitY"},
    {.TagNumber = 0x5113, .ShortName = "PaletteHistogram"},
    {.TagNumber = 0x800D, .ShortName = "ImageID"},
    {.TagNumber = 0x80E3, .ShortName = "Matteing"},
    {.TagNumber = 0x80E4, .ShortName = "DataType"},
    {.TagNumber = 0x80E5, .ShortName = "ImageDepth"},
    {.TagNumber = 0x80E6, .ShortName = "TileDepth"},
    {.TagNumber = 0x828D, .ShortName = "CFARepeatPatternDim"},
    {.TagNumber = 0x828E, .ShortName = "CFAPattern"},
    {.TagNumber = 0x828F, .ShortName = "BatteryLevel"},
    {.TagNumber = 0x8298, .ShortName = "Copyright"},
    {.TagNumber = 0x829A, .ShortName = "ExposureTime", .FormatText = "%s sec"},
    {.TagNumber = 0x829D, .ShortName = "FNumber", .FormatText = "F%0.1f"},
    {.TagNumber = 0x83BB, .ShortName = "IPTC/NAA", .Description = "IPTC/NAA"},
    {.TagNumber = 0x84E3, .ShortName = "IT8RasterPadding"},
    {.TagNumber = 0x84E5, .ShortName = "IT8ColorTable"},
    {.TagNumber = 0x8649, .ShortName = "ImageResourceInformation"},
    {.TagNumber = 0x8769, .ShortName = "ExifOffset"},
    {.TagNumber = 0x8773, .ShortName = "InterColorProfile"},
    {.TagNumber = 0x8822,
     .ShortName = "ExposureProgram",
     .ValueCodes =
         "0:Unidentified,1:Manual,2:Normal,3:Aperture priority,4:Shutter "
         "priority,5:Creative(slow),6:Action(high-speed),7:Portrait mode,8:Landscape mode"},
    {.TagNumber = 0x8824, .ShortName = "SpectralSensitivity"},
    {.TagNumber = 0x8825, .ShortName = "GPSInfo"},
    {.TagNumber = 0x8827, .ShortName = "ISOSpeedRatings"},
    {.TagNumber = 0x8828, .ShortName = "OECF"},
    {.TagNumber = 0x8829, .ShortName = "Interlace"},
    {.TagNumber = 0x882A, .ShortName = "TimeZoneOffset"},
    {.TagNumber = 0x882B, .ShortName = "SelfTimerMode"},
    // Which of the sensitivities below the camera states, since EXIF 2.3. Code 7's label has no
    // comma: a code list's labels end at one.
    {.TagNumber = 0x8830,
     .ShortName = "SensitivityType",
     .ValueCodes = "0:Unknown,1:Standard Output Sensitivity,2:Recommended Exposure Index,"
                   "3:ISO Speed,4:Standard Output Sensitivity and Recommended Exposure Index,"
                   "5:Standard Output Sensitivity and ISO Speed,"
                   "6:Recommended Exposure Index and ISO Speed,"
                   "7:Standard Output Sensitivity; Recommended Exposure Index and ISO Speed"},
    {.TagNumber = 0x8831, .ShortName = "StandardOutputSensitivity"},
    {.TagNumber = 0x8832, .ShortName = "RecommendedExposureIndex"},
    // Named apart from the Nikon note's "ISOSpeed" line, which scripts already ask for.
    {.TagNumber = 0x8833, .ShortName = "ExifISOSpeed"},
    {.TagNumber = 0x8834, .ShortName = "ISOSpeedLatitudeyyy"},
    {.TagNumber = 0x8835, .ShortName = "ISOSpeedLatitudezzz"},
    {.TagNumber = 0x9000, .ShortName = "ExifVersion"},
    {.TagNumber = 0x9003, .ShortName = "DateTimeOriginal"},
    {.TagNumber = 0x9004, .ShortName = "DateTimeDigitized"},
    {.TagNumber = 0x9010, .ShortName = "OffsetTime"},  // the time zone of DateTime, "+02:00"
    {.TagNumber = 0x9011, .ShortName = "OffsetTimeOriginal"},
    {.TagNumber = 0x9012, .ShortName = "OffsetTimeDigitized"},
    {.TagNumber = 0x9101, .ShortName = "ComponentsConfiguration", .Formatter = &FormatComponents},
    {.TagNumber = 0x9102, .ShortName = "CompressedBitsPerPixel"},
    {.TagNumber = 0x9201,
     .ShortName = "ShutterSpeedValue",
     .FormatterWithContext = &FormatShutterSpeed},
    {.TagNumber = 0x9202, .ShortName = "ApertureValue", .FormatterWithContext = &FormatAperture},
    {.TagNumber = 0x9203, .ShortName = "BrightnessValue"},
    {.TagNumber = 0x9204, .ShortName = "ExposureBiasValue"},
    {.TagNumber = 0x9205, .ShortName = "MaxApertureValue", .FormatterWithContext = &FormatAperture},
    {.TagNumber = 0x9206, .ShortName = "SubjectDistance"},
    {.TagNumber = 0x9207,
     .ShortName = "MeteringMode",
     .ValueCodes =
         "0:Unknown,1:Average,2:Center,3:Spot,4:MultiSpot,5:MultiSegment,6:Partial,255:Other"},
    {.TagNumber = 0x9208,
     .ShortName = "LightSource",
     .ValueCodes =
         "0:Unidentified,1:Daylight,2:Fluorescent,3:Tungsten,4:Flash,9:Fine Weather,10:Cloudy,"
         "11:Shade,12:Daylight Fluorescent,13:Day White Fluorescent,14:Cool White Fluorescent,"
         "15:White Fluorescent,16:Warm White Fluorescent,17:Std A,18:Std B,19:Std C,20:D55,"
         "21:D65,22:D75,23:D50,24:ISO Studio Tungsten,255:Other"},
    {.TagNumber = 0x9209, .ShortName = "Flash", .Formatter = &FormatFlash},
    {.TagNumber = 0x920A, .ShortName = "FocalLength", .FormatText = "%5.2f mm"},
    {.TagNumber = 0x920B, .ShortName = "FlashEnergy"},
    {.TagNumber = 0x920C, .ShortName = "SpatialFrequencyResponse"},
    {.TagNumber = 0x920D, .ShortName = "Noise"},
    {.TagNumber = 0x920E, .ShortName = "FocalPlaneXResolution"},
    {.TagNumber = 0x920F, .ShortName = "FocalPlaneYResolution"},
    {.TagNumber = 0x9210,
     .ShortName = "FocalPlaneResolutionUnit",
     .ValueCodes = "1:None Specified,2:Inch,3:Centimeter"},
    {.TagNumber = 0x9211, .ShortName = "ImageNumber"},
    {.TagNumber = 0x9212, .ShortName = "SecurityClassification"},
    {.TagNumber = 0x9213, .ShortName = "ImageHistory"},
    {.TagNumber = 0x9214, .ShortName = "SubjectLocation"},
    {.TagNumber = 0x9215, .ShortName = "ExposureIndex"},
    {.TagNumber = 0x9216, .ShortName = "TIFF/EPStandardID"},
    {.TagNumber = 0x9217, .ShortName = "SensingMethod"},
    {.TagNumber = 0x923F, .ShortName = "StoNits"},
    {.TagNumber = 0x927C, .ShortName = "MakerNote"},
    {.TagNumber = 0x9286, .ShortName = "UserComment", .Text = tTextKind::kWithCharacterCode},
    {.TagNumber = 0x9290, .ShortName = "SubSecTime"},
    {.TagNumber = 0x9291, .ShortName = "SubSecTimeOriginal"},
    {.TagNumber = 0x9292, .ShortName = "SubSecTimeDigitized"},
    {.TagNumber = 0x9400, .ShortName = "AmbientTemperature", .FormatText = "%0.1f C"},
    {.TagNumber = 0x9401, .ShortName = "Humidity", .FormatText = "%0.1f %%"},
    {.TagNumber = 0x9402, .ShortName = "Pressure", .FormatText = "%0.1f hPa"},
    {.TagNumber = 0x9403, .ShortName = "WaterDepth", .FormatText = "%0.1f m"},
    {.TagNumber = 0x9404, .ShortName = "Acceleration", .FormatText = "%0.1f mGal"},
    {.TagNumber = 0x9405, .ShortName = "CameraElevationAngle", .FormatText = "%0.1f\xB0"},
    {.TagNumber = 0x953C, .ShortName = "ImageSourceData"},
    // Windows' own texts: UCS-2, little-endian whatever the file's byte order.
    {.TagNumber = 0x9C9B, .ShortName = "Title", .Text = tTextKind::kUcs2LittleEndian},
    {.TagNumber = 0x9C9C, .ShortName = "Comments", .Text = tTextKind::kUcs2LittleEndian},
    {.TagNumber = 0x9C9D, .ShortName = "Author", .Text = tTextKind::kUcs2LittleEndian},
    {.TagNumber = 0x9C9E, .ShortName = "Keywords", .Text = tTextKind::kUcs2LittleEndian},
    {.TagNumber = 0x9C9F, .ShortName = "Subject", .Text = tTextKind::kUcs2LittleEndian},
    {.TagNumber = 0xA000, .ShortName = "FlashPixVersion"},
    {.TagNumber = 0xA001,
     .ShortName = "ColorSpace",
     .ValueCodes = "0:sBW,1:sRGB,2:Adobe RGB,65533:Wide Gamut RGB,65534:ICC Profile,"
                   "65535:Uncalibrated"},
    {.TagNumber = 0xA002, .ShortName = "ExifImageWidth"},
    {.TagNumber = 0xA003, .ShortName = "ExifImageLength"},
    {.TagNumber = 0xA004, .ShortName = "RelatedSoundFile"},
    {.TagNumber = 0xA005, .ShortName = "InteroperabilityOffset"},
    {.TagNumber = 0xA20B, .ShortName = "FlashEnergy"},
    {.TagNumber = 0xA20C, .ShortName = "SpatialFrequencyResponse"},
    {.TagNumber = 0xA20E, .ShortName = "FocalPlaneXResolution"},
    {.TagNumber = 0xA20F, .ShortName = "FocalPlaneYResolution"},
    {.TagNumber = 0xA210,
     .ShortName = "FocalPlaneResolutionUnit",
     .ValueCodes = "1:None Specified,2:Inch,3:Centimeter,4:Millimeter,5:Micrometer"},
    {.TagNumber = 0xA211, .ShortName = "ImageNumber"},
    {.TagNumber = 0xA212, .ShortName = "SecurityClassification"},
    {.TagNumber = 0xA213, .ShortName = "ImageHistory"},
    {.TagNumber = 0xA214, .ShortName = "SubjectLocation"},
    {.TagNumber = 0xA215, .ShortName = "ExposureIndex"},
    {.TagNumber = 0xA216, .ShortName = "TIFF/EPStandardID", .Description = "TIFF/EPStandardID"},
    {.TagNumber = 0xA217,
     .ShortName = "SensingMethod",
     .ValueCodes =
         "0:Unknown,1:Not defined,2:OneChipColorArea,3:TwoChipColorArea,4:ThreeChipColorArea,5:"
         "ColorSequentialArea,6:MonochromeLinear,7:TriLinear,8:ColorSequentialLinear"},
    {.TagNumber = 0xA300,
     .ShortName = "FileSource",
     .ValueCodes = "0:Others,1:Film Scanner,2:Reflection Print Scanner,3:Digital Still Camera"},
    {.TagNumber = 0xA301,
     .ShortName = "SceneType",
     .ValueCodes = "0:Unknown,1:Directly Photographed"},
    {.TagNumber = 0xA302, .ShortName = "CFAPattern"},
    {.TagNumber = 0xA401,
     .ShortName = "CustomRendered",
     .ValueCodes = "0:Normal process,1:Custom process"},
    {.TagNumber = 0xA402,
     .ShortName = "ExposureMode",
     .ValueCodes = "0:Auto,1:Manual,2:Auto bracket"},
    {.TagNumber = 0xA403, .ShortName = "WhiteBalance", .ValueCodes = "0:Auto,1:Manual"},
    {.TagNumber = 0xA404, .ShortName = "DigitalZoomRatio"},
    {.TagNumber = 0xA405,
     .ShortName = "FocalLengthin35mmFilm",
     .Description = "Focal Length in 35mm Film",
     .FormatText = "%5.2f mm"},
    {.TagNumber = 0xA406,
     .ShortName = "SceneCaptureType",
     .ValueCodes = "0:Standard,1:Landscape,2:Portrait,3:Night scene,4:Other"},
    {.TagNumber = 0xA407,
     .ShortName = "GainControl",
     .ValueCodes = "0:None,1:Low gain up,2:High gain up,3:Low gain down,4:High gain down"},
    {.TagNumber = 0xA408, .ShortName = "Contrast", .ValueCodes = "0:Normal,1:Soft,2:Hard"},
    {.TagNumber = 0xA409, .ShortName = "Saturation", .ValueCodes = "0:Normal,1:Low,2:High"},
    {.TagNumber = 0xA40A, .ShortName = "Sharpness", .ValueCodes = "0:Normal,1:Soft,2:Hard"},
    {.TagNumber = 0xA40B, .ShortName = "DeviceSettingDescription"},
    {.TagNumber = 0xA40C,
     .ShortName = "SubjectDistanceRange",
     .ValueCodes = "0:Unknown,1:Macro,2:Close view,3:Distant view"},
    {.TagNumber = 0xA420, .ShortName = "ImageUniqueID"},
    // The camera, its owner and its lens, since EXIF 2.3.
    {.TagNumber = 0xA430, .ShortName = "CameraOwnerName"},
    {.TagNumber = 0xA431, .ShortName = "BodySerialNumber"},
    {.TagNumber = 0xA432,
     .ShortName = "LensSpecification",
     .FormatterWithContext = &FormatLensSpecification},
    {.TagNumber = 0xA433, .ShortName = "LensMake"},
    {.TagNumber = 0xA434, .ShortName = "LensModel"},
    {.TagNumber = 0xA435, .ShortName = "LensSerialNumber"},
    // The people and programs of EXIF 3.0. The title is named apart from the older ImageTitle.
    {.TagNumber = 0xA436, .ShortName = "ExifImageTitle"},
    {.TagNumber = 0xA437, .ShortName = "Photographer"},
    {.TagNumber = 0xA438, .ShortName = "ImageEditor"},
    {.TagNumber = 0xA439, .ShortName = "CameraFirmware"},
    {.TagNumber = 0xA43A, .ShortName = "RAWDevelopingSoftware"},
    {.TagNumber = 0xA43B, .ShortName = "ImageEditingSoftware"},
    {.TagNumber = 0xA43C, .ShortName = "MetadataEditingSoftware"},
    {.TagNumber = 0xA460,
     .ShortName = "CompositeImage",
     .ValueCodes = "0:Unknown,1:Not a Composite Image,2:General Composite Image,"
                   "3:Composite Image Captured While Shooting"},
    {.TagNumber = 0xA461, .ShortName = "CompositeImageCount"},
    {.TagNumber = 0xA462, .ShortName = "CompositeImageExposureTimes"},
    // Named apart from the older Gamma (0x0301).
    {.TagNumber = 0xA500, .ShortName = "ExifGamma"},
};

// What a tag no table knows is listed as.
constexpr tTagRow kUnknownTag{.TagNumber = 0x0000, .ShortName = "Unknown"};

constexpr tTagRow kGpsRows[] = {
    {.TagNumber = 0x0000, .ShortName = "GPSVersionID", .Formatter = &FormatVersionNumbers},
    {.TagNumber = 0x0001, .ShortName = "GPSLatitudeRef"},
    {.TagNumber = 0x0002, .ShortName = "GPSLatitude", .Formatter = &FormatGpsCoordinate},
    {.TagNumber = 0x0003, .ShortName = "GPSLongitudeRef"},
    {.TagNumber = 0x0004, .ShortName = "GPSLongitude", .Formatter = &FormatGpsCoordinate},
    {.TagNumber = 0x0005,
     .ShortName = "GPSAltitudeRef",
     .ValueCodes = "0:Sealevel,1:Below sea level"},
    {.TagNumber = 0x0006, .ShortName = "GPSAltitude"},
    {.TagNumber = 0x0007, .ShortName = "GPSTimeStamp", .Formatter = &FormatGpsTime},
    {.TagNumber = 0x0008, .ShortName = "GPSSatellites"},
    {.TagNumber = 0x0009, .ShortName = "GPSStatus"},
    {.TagNumber = 0x000A, .ShortName = "GPSMeasureMode"},
    {.TagNumber = 0x000B, .ShortName = "GPSDOP"},
    {.TagNumber = 0x000C, .ShortName = "GPSSpeedRef"},
    {.TagNumber = 0x000D, .ShortName = "GPSSpeed"},
    {.TagNumber = 0x000E, .ShortName = "GPSTrackRef"},
    {.TagNumber = 0x000F, .ShortName = "GPSTrack"},
    {.TagNumber = 0x0010, .ShortName = "GPSImageDirectionRef"},
    {.TagNumber = 0x0011, .ShortName = "GPSImageDirection"},
    {.TagNumber = 0x0012, .ShortName = "GPSMapDatum"},
    {.TagNumber = 0x0013, .ShortName = "GPSDestLatitudeRef"},
    {.TagNumber = 0x0014, .ShortName = "GPSDestLatitude", .Formatter = &FormatGpsCoordinate},
    {.TagNumber = 0x0015, .ShortName = "GPSDestLongitudeRef"},
    {.TagNumber = 0x0016, .ShortName = "GPSDestLongitude", .Formatter = &FormatGpsCoordinate},
    {.TagNumber = 0x0017, .ShortName = "GPSDestBearingkRef"},
    {.TagNumber = 0x0018, .ShortName = "GPSDestBearing"},
    {.TagNumber = 0x0019, .ShortName = "GPSDestDistanceRef"},
    {.TagNumber = 0x001A, .ShortName = "GPSDestDistance"},
    // Texts with an 8-byte character code first, as UserComment.
    {.TagNumber = 0x001B, .ShortName = "GPSProcessingMode", .Text = tTextKind::kWithCharacterCode},
    {.TagNumber = 0x001C, .ShortName = "GPSAreaInformation", .Text = tTextKind::kWithCharacterCode},
    {.TagNumber = 0x001D, .ShortName = "GPSDateStamp"},
    {.TagNumber = 0x001E,
     .ShortName = "GPSDifferential",
     .ValueCodes = "0:No Correction,1:Differential Corrected"},
    {.TagNumber = 0x001F, .ShortName = "GPSHPositioningError", .FormatText = "%0.1f m"},
};

const std::span<const tTagRow> kExifTags = kExifRows;
const std::span<const tTagRow> kGpsTags = kGpsRows;

namespace {

static_assert(AreRowsAscending(kExifRows), "the lookups bisect: keep the EXIF rows in tag order");
static_assert(AreRowsAscending(kGpsRows), "the lookups bisect: keep the GPS rows in tag order");

// The tag numbers of a table alone, for the lookup of every entry a directory holds: a bisection
// over them touches a few cache lines, one over the rows themselves (96 bytes each) a line a step.
template <std::size_t N>
constexpr std::array<std::uint16_t, N> TagNumbersOf(std::span<const tTagRow> rows) {
  std::array<std::uint16_t, N> numbers{};
  for (std::size_t i = 0; i < N; ++i) numbers[i] = rows[i].TagNumber;
  return numbers;
}

constexpr bool AllInRecordZero(std::span<const tTagRow> rows) {
  return std::all_of(rows.begin(), rows.end(),
                     [](const tTagRow& row) { return row.RecordNumber == 0; });
}
static_assert(AllInRecordZero(kExifRows) && AllInRecordZero(kGpsRows),
              "the numbers alone tell the rows apart");

constexpr auto kExifNumbers = TagNumbersOf<std::size(kExifRows)>(kExifRows);
constexpr auto kGpsNumbers = TagNumbersOf<std::size(kGpsRows)>(kGpsRows);

// The row of `tag`, as FindRow finds it; -1 if none. The numbers rise strictly, so the last one
// not above `tag` is the only candidate. The halving takes no branch on the comparison: the
// tags of a directory come in no order a branch predictor could learn.
int FindNumber(std::span<const std::uint16_t> numbers, int tag) {
  if (numbers.empty()) return -1;
  const std::uint16_t* base = numbers.data();
  for (std::size_t n = numbers.size(); n > 1;) {
    const std::size_t half = n / 2;
    base = base[half] <= tag ? base + half : base;
    n -= half;
  }
  return *base == tag ? static_cast<int>(base - numbers.data()) : -1;
}

// Labels of both tables, prepared once: the stored Description, else the spaced short name.
std::vector<std::string> PreparedLabels(std::span<const tTagRow> rows) {
  std::vector<std::string> labels;
  labels.reserve(rows.size());
  for (const tTagRow& row : rows)
    labels.push_back(row.Description.empty() ? SpacedName(row.ShortName)
                                             : std::string(row.Description));
  return labels;
}

const std::vector<std::string>& ExifLabels() {
  static const auto labels = PreparedLabels(kExifRows);
  return labels;
}

const std::vector<std::string>& GpsLabels() {
  static const auto labels = PreparedLabels(kGpsRows);
  return labels;
}

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::string SpacedName(std::string_view shortName) {
  std::string out;
  for (std::size_t i = 0; i < shortName.size(); ++i) {
    if (i > 0 && IsCapital(shortName[i]) && !IsCapital(shortName[i - 1])) out += ' ';
    out += shortName[i];
  }
  return out;
}

std::optional<TTagEntry> LookupTagRow(int tag, int directoryKind) {
  if (directoryKind == kMainDirectory || directoryKind == kThumbnailDirectory) {
    const int row = FindNumber(kExifNumbers, tag);
    if (row >= 0) return EntryFromRow(kExifRows[row], ExifLabels()[static_cast<std::size_t>(row)]);
  } else if (directoryKind == kGpsDirectory) {
    const int row = FindNumber(kGpsNumbers, tag);
    if (row >= 0) return EntryFromRow(kGpsRows[row], GpsLabels()[static_cast<std::size_t>(row)]);
  }
  return std::nullopt;
}

const TTagEntry& UnknownTagEntry() {
  static const TTagEntry unknown = EntryFromRow(kUnknownTag, kUnknownTag.ShortName);
  return unknown;
}

int ExifTableIndexOfName(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kExifRows); ++i) {
    if (SameTextIgnoringCase(kExifRows[i].ShortName, name)) return static_cast<int>(i);
  }
  return -1;
}

int IndexOfTagInTable(int tag, std::span<const tTagRow> table) { return FindRow(table, tag); }

std::string CodesOfTag(int tag, std::span<const tTagRow> table) {
  const int row = FindRow(table, tag);
  return row < 0 ? std::string() : std::string(table[static_cast<std::size_t>(row)].ValueCodes);
}

}  // namespace dux
