#include "base/TextCodec.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

// Every well-formed UTF-8 sequence stays UTF-8; each other byte is one Windows-1252 character.
// The readers of book files, the options file and the settings file all decode through
// decodeText, marked or not.
TEST(TextCodec, DecodesUtf8SequenceBySequenceAndStrayBytesInTheLegacyCodePage)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Caf\xC3\xA9 M\xC3\xBC"
         "ller \xE2\x80\x93 \xC5\x92uvres \xF0\x9F\x93\x9A",
         s("Café Müller – Œuvres 📚")},
        {"Caf\xE9 M\xFCller \x96 \x8Cuvres", s("Café Müller – Œuvres")},
        // One stray byte leaves the rest UTF-8.
        {"Caf\xC3\xA9 M\xC3\xBC"
         "ller \xE2\x80\x93 \xC5\x92uvres \xE9t\xE9",
         s("Café Müller – Œuvres été")},
        {"\xE9\xC3\xA9", s("éé")},
        // Truncated sequences: each byte of them alone, the text after them UTF-8 again.
        {"a\xC3", s("aÃ")},
        {"\xE2\x80 \xC3\xA9", s("â€ é")},
        {"\xF0\x9F\x93x\xC3\xA9", s("ðŸ“xé")},
        {"\xF0\x9F\x93\xF0\x9F\x93\x9A", s("ðŸ“📚")},
        // Overlong forms, encoded surrogates and code points above U+10FFFF are no sequences.
        {"\xC0\xAF\xC1\xBF", s("À¯Á¿")},
        {"\xE0\x80\xAF", s("à€¯")},
        {"\xF0\x8F\xBF\xBF", s("ð\u008F¿¿")},
        {"\xED\xA0\x80\xED\xBF\xBF", s("í\u00A0€í¿¿")},
        {"\xF4\x90\x80\x80", s("ô\u0090€€")},
        {"\xF5\xFF\xFE", s("õÿþ")},
        // Bytes 0x80 to 0x9F: the code page's letters and, for its five holes, the C1 controls.
        {"\x80\x81\x8D\x8F\x90\x9D\x9F \x82\x83\x84\x85\x99\x9C",
         s("€\u0081\u008D\u008F\u0090\u009DŸ ‚ƒ„…™œ")},
        {"\xBF\x80\xC3\xA9", s("¿€é")},
        // A byte-order mark inside the text is text, in mixed text as in valid text.
        {"a\xEF\xBB\xBF\xE9", s("a\uFEFFé")},
        {"a\xEF\xBB\xBF", s("a\uFEFF")},
        {"", QString()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeUtf8OrLegacy(c.bytes), c.text) << test::visible(c.bytes);
        // decodeText passes over a leading mark, or a doubled one, and decodes the rest alike.
        for (int marks = 0; marks <= 2; ++marks) {
            const QByteArray marked = QByteArray("\xEF\xBB\xBF").repeated(marks) + c.bytes;
            EXPECT_EQ(decodeText(marked), c.text) << test::visible(marked);
        }
    }
    // At the very start too: only decodeText passes over marks there.
    EXPECT_EQ(decodeUtf8OrLegacy("\xEF\xBB\xBFx"), QString(QChar::ByteOrderMark) + u'x');
}
