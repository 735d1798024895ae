#ifndef VERIFICACAO_BMP_H
#define VERIFICACAO_BMP_H

#include <cstddef>

// What the library's BMP reader would do with a file, worked out from its
// bytes before the reader is let near it. The reader trusts its input: it
// writes compressed runs wherever they point, reads on past the end of the
// file, and fills colours it never read. A file passes only when the reader
// would stay inside the picture and the file and draw every pixel exactly as
// the file encodes it.
namespace bmp {

// Pictures larger than this on a side, or in all, are refused: the game's
// screen is 640 x 480 (0.3 million pixels), and a bigger picture is a lie or
// a waste of memory and of start-up time (a few bytes of RLE can claim it).
inline constexpr long LADO_MAXIMO = 4096;
inline constexpr long AREA_MAXIMA = 1024 * 1024;

enum class Veredicto {
    Aceita,
    NaoEBmp,                // no "BM", or the file ends inside its headers
    CabecalhoDesconhecido,  // an info header other than Windows (40) or OS/2 (12)
    ProfundidadeInvalida,   // bits per pixel other than 1, 4, 8, 16, 24 or 32
    CompressaoInvalida,     // unknown, or not one the bits per pixel allow
    MascarasInvalidas,      // bit fields other than 5-5-5, 5-6-5 or 8-8-8
    TamanhoInvalido,        // a side of zero, negative, or over LADO_MAXIMO; over AREA_MAXIMA in all
    DeCimaParaBaixo,        // rows stored top-down where the reader cannot take them
    InicioPixelsInvalido,   // the pixels are not where the reader reads them from
    PixelsCortados,         // the file ends before the last row
    PaletaIncompleta,       // a picture of up to 8 bits with fewer than 256 palette entries
    CorSemPaleta,           // a pixel whose colour the palette does not hold
    SequenciaCortada,       // a compressed stream that runs past the end of the file
    SequenciaForaDaImagem,  // a compressed stream that writes or moves outside the picture
    BytesTrocados,          // 32-bit or bit-field pixels on a big-endian machine (the reader swaps them)
};

// The verdict on a whole file of `tamanho` bytes.
Veredicto analisar(const unsigned char* dados, std::size_t tamanho);

}  // namespace bmp

#endif
