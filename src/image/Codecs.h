#pragma once
// Conversions between the bytes of one channel record / name slot and the
// texts the channel grid shows. Pure functions; `chinese` picks the Chinese
// form of a text on decoding, encoders accept both forms.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace corvane {

// Product of a and b computed exactly in decimal after rounding each operand
// to 15 significant digits; the nearest double to that product.
// DecimalMultiply(136.0125, 100000.0) == 13601250.0 exactly.
double DecimalMultiply(double a, double b);

// atof / atoi rules on a text: leading white space skipped, longest valid
// prefix used, 0 when there is none.
double ParseNumber(const QString &text);
int ParseInteger(const QString &text);

// Four frequency bytes, b[0] least significant pair, b[3] most significant;
// units of 10 Hz in BCD. Text is MHz with "%3.5f".
QString DecodeFrequency(const uint8_t *b);
// Writes 4 bytes; 0xFF x 4 for a text that gives 0.
void EncodeFrequency(const QString &text, uint8_t *b);
// Same conversion on an integer number of 10 Hz units.
QString FrequencyText(int units);

QString DecodeTone(uint8_t kind, uint8_t low, bool chinese);
void EncodeTone(const QString &text, uint8_t &kind, uint8_t &low);

// Byte 12 of a record (chanFlags).
QString DecodePower(uint8_t flags, bool chinese);
uint8_t EncodePower(const QString &text, uint8_t flags);
QString DecodeLock(uint8_t flags, bool chinese);
uint8_t EncodeLock(const QString &text, uint8_t flags);
QString DecodeScan(uint8_t flags, bool chinese);
uint8_t EncodeScan(const QString &text, uint8_t flags);

// Name alphabet: '0'-'9' = 0x00-0x09, 'A'-'Z' = 0x0A-0x23, '-' = 0x24,
// '_' = 0x26. NameCodeToChar returns 0 for "end of text".
char NameCodeToChar(uint8_t code);
uint8_t NameCharToCode(char ch);
// True when every character of text is of the name alphabet (upper case).
bool IsNameText(const QString &text);
QString DecodeName(const uint8_t *slot);          // 8 bytes in
void EncodeName(const QString &text, uint8_t *slot); // 8 bytes out

// The 261 tone texts: "None"/"无", 50 CTCSS tones, 105 DCS "N", 105 DCS "I".
const QStringList &ToneList(bool chinese);

} // namespace corvane
