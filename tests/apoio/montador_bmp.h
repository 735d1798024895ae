#ifndef MONTADOR_BMP_H
#define MONTADOR_BMP_H

// Small BMP files written byte by byte in every layout the library's reader
// takes, for the tests of the start-up check and the seeds of its fuzzer.
// Header-only and free of the library, so both can use it.

#include <cstdint>
#include <vector>

namespace apoio {

struct CorPura {
    unsigned char r, g, b;
};

// Colours whose channels are all 0 or 255: they come out of every conversion
// the reader makes (6-bit palettes, 5- and 6-bit fields) exactly as they went in.
inline constexpr CorPura CORES_PURAS[8] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                           {255, 255, 0}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

enum class Layout { Bits1, Bits4, Bits8, Bits16, Bits24, Bits32, Rle8, Rle4, Campos555, Campos565, Campos888,
                    Os2Bits8, Os2Bits24 };
inline constexpr Layout TODOS_LAYOUTS[] = {Layout::Bits1,     Layout::Bits4,     Layout::Bits8,    Layout::Bits16,
                                           Layout::Bits24,    Layout::Bits32,    Layout::Rle8,     Layout::Rle4,
                                           Layout::Campos555, Layout::Campos565, Layout::Campos888, Layout::Os2Bits8,
                                           Layout::Os2Bits24};

// A 7 x 3 drawing (odd width: every layout pads its rows) of colour indices
// into CORES_PURAS, top row first: a run of four equal pixels, then three
// different ones, so that the RLE layouts hold both kinds of code.
inline int indiceDoDesenho(Layout layout, int x, int y) {
    const int indice = x < 4 ? (y + 1) % 8 : (x * 3 + y) % 8;
    return layout == Layout::Bits1 ? indice % 2 : indice;
}
inline constexpr int LARGURA_DESENHO = 7;
inline constexpr int ALTURA_DESENHO = 3;

namespace detalhe {

inline void u16(std::vector<unsigned char>& s, unsigned v) {
    s.push_back(v & 255);
    s.push_back((v >> 8) & 255);
}
inline void u32(std::vector<unsigned char>& s, std::uint32_t v) {
    u16(s, v & 0xFFFF);
    u16(s, v >> 16);
}
inline void alinhar4(std::vector<unsigned char>& s, std::size_t inicio) {
    while ((s.size() - inicio) % 4) s.push_back(0);
}

inline int bitsDe(Layout l) {
    switch (l) {
        case Layout::Bits1: return 1;
        case Layout::Bits4: case Layout::Rle4: return 4;
        case Layout::Bits8: case Layout::Rle8: case Layout::Os2Bits8: return 8;
        case Layout::Bits16: case Layout::Campos555: case Layout::Campos565: return 16;
        case Layout::Bits24: case Layout::Os2Bits24: return 24;
        default: return 32;
    }
}

// One row of pixels, uncompressed, padded to 4 bytes.
inline void linhaSemCompressao(std::vector<unsigned char>& s, Layout l, int y) {
    const std::size_t inicio = s.size();
    const int bits = bitsDe(l);
    unsigned acumulado = 0;
    int nosBits = 0;
    for (int x = 0; x < LARGURA_DESENHO; x++) {
        const int i = indiceDoDesenho(l, x, y);
        const CorPura c = CORES_PURAS[i];
        if (bits < 8) {
            acumulado = (acumulado << bits) | i;
            nosBits += bits;
            if (nosBits == 8) {
                s.push_back(acumulado);
                acumulado = 0;
                nosBits = 0;
            }
        } else if (bits == 8) {
            s.push_back(i);
        } else if (l == Layout::Campos565) {
            u16(s, (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
        } else if (bits == 16) {
            u16(s, (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3);
        } else {
            s.insert(s.end(), {c.b, c.g, c.r});
            if (bits == 32) s.push_back(0);
        }
    }
    if (nosBits > 0) s.push_back(acumulado << (8 - nosBits));
    alinhar4(s, inicio);
}

// One row, RLE: runs of equal pixels as repeat codes, the rest as one
// absolute run (padded to a 16-bit word), then the end-of-row code.
inline void linhaRle(std::vector<unsigned char>& s, Layout l, int y) {
    const bool quatro = l == Layout::Rle4;
    int x = 0;
    while (x < LARGURA_DESENHO) {
        int fim = x + 1;
        while (fim < LARGURA_DESENHO && indiceDoDesenho(l, fim, y) == indiceDoDesenho(l, x, y)) fim++;
        if (fim - x >= 2 || LARGURA_DESENHO - x < 3) {
            const int i = indiceDoDesenho(l, x, y);
            s.insert(s.end(), {static_cast<unsigned char>(fim - x), static_cast<unsigned char>(quatro ? i << 4 | i : i)});
            x = fim;
            continue;
        }
        const int n = LARGURA_DESENHO - x;  // the rest of the row, all different here
        s.insert(s.end(), {0, static_cast<unsigned char>(n)});
        const std::size_t inicio = s.size();
        for (int k = 0; k < n; k += quatro ? 2 : 1) {
            const int a = indiceDoDesenho(l, x + k, y);
            const int b = k + 1 < n ? indiceDoDesenho(l, x + k + 1, y) : 0;
            s.push_back(quatro ? a << 4 | b : a);
        }
        if ((s.size() - inicio) % 2) s.push_back(0);
        x += n;
    }
    s.insert(s.end(), {0, 0});
}

}  // namespace detalhe

// The whole file of the drawing in `layout`; `deCimaParaBaixo` stores the rows
// top row first, with a negative height (Windows layouts only).
inline std::vector<unsigned char> montarBmp(Layout l, bool deCimaParaBaixo = false) {
    using namespace detalhe;
    const bool os2 = l == Layout::Os2Bits8 || l == Layout::Os2Bits24;
    const bool campos = l == Layout::Campos555 || l == Layout::Campos565 || l == Layout::Campos888;
    const int bits = bitsDe(l);
    // The reader needs a full palette; the header counts the colours in use.
    const int cores = bits <= 8 ? 256 : 0;
    const int coresUsadas = bits == 1 ? 2 : bits <= 8 ? 8 : 0;
    const std::uint32_t compressao = l == Layout::Rle8 ? 1 : l == Layout::Rle4 ? 2 : campos ? 3 : 0;

    std::vector<unsigned char> info;
    if (os2) {
        u32(info, 12);
        u16(info, LARGURA_DESENHO);
        u16(info, ALTURA_DESENHO);
        u16(info, 1);
        u16(info, bits);
    } else {
        u32(info, 40);
        u32(info, LARGURA_DESENHO);
        u32(info, static_cast<std::uint32_t>(deCimaParaBaixo ? -ALTURA_DESENHO : ALTURA_DESENHO));
        u16(info, 1);
        u16(info, bits);
        u32(info, compressao);
        for (int i = 0; i < 3; i++) u32(info, 0);  // image size, resolution
        u32(info, coresUsadas);
        u32(info, 0);
    }
    if (campos) {
        const bool c565 = l == Layout::Campos565;
        u32(info, l == Layout::Campos888 ? 0xFF0000 : c565 ? 0xF800 : 0x7C00);
        u32(info, l == Layout::Campos888 ? 0x00FF00 : c565 ? 0x07E0 : 0x03E0);
        u32(info, l == Layout::Campos888 ? 0x0000FF : 0x001F);
    }
    for (int i = 0; i < cores; i++) {
        const CorPura c = i < 8 ? CORES_PURAS[i] : CorPura{0, 0, 0};
        info.insert(info.end(), {c.b, c.g, c.r});
        if (!os2) info.push_back(0);
    }

    std::vector<unsigned char> pixels;
    for (int k = 0; k < ALTURA_DESENHO; k++) {
        const int y = deCimaParaBaixo ? k : ALTURA_DESENHO - 1 - k;
        if (compressao == 1 || compressao == 2)
            linhaRle(pixels, l, y);
        else
            linhaSemCompressao(pixels, l, y);
    }
    if (compressao == 1 || compressao == 2) pixels.insert(pixels.end(), {0, 1});

    std::vector<unsigned char> arquivo = {'B', 'M'};
    const std::uint32_t inicioPixels = 14 + info.size();
    u32(arquivo, inicioPixels + pixels.size());
    u32(arquivo, 0);
    u32(arquivo, inicioPixels);
    arquivo.insert(arquivo.end(), info.begin(), info.end());
    arquivo.insert(arquivo.end(), pixels.begin(), pixels.end());
    return arquivo;
}

}  // namespace apoio

#endif
