#include "verificacao_bmp.h"

#include <algorithm>
#include <cstdint>

// Each rule below follows what the library's reader (Allegro 4.4) does with
// the same bytes; the comments say where it would go wrong without the rule.
namespace bmp {

namespace {

const std::size_t FIM_CABECALHO_ARQUIVO = 14;
const std::uint32_t INFO_WINDOWS = 40;
const std::uint32_t INFO_OS2 = 12;
const std::size_t FIM_INFO_WINDOWS = FIM_CABECALHO_ARQUIVO + INFO_WINDOWS;
const std::size_t FIM_INFO_OS2 = FIM_CABECALHO_ARQUIVO + INFO_OS2;
const std::size_t FIM_MASCARAS = FIM_INFO_WINDOWS + 12;
const std::uint32_t SEM_COMPRESSAO = 0;
const std::uint32_t RLE8 = 1;
const std::uint32_t RLE4 = 2;
const std::uint32_t CAMPOS_DE_BITS = 3;
const std::size_t CORES_MAXIMAS = 256;

std::uint32_t lerU32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t lerU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// What the headers say, as the reader understands them.
struct Cabecalho {
    std::int64_t largura = 0;
    std::int64_t altura = 0;  // negative: rows stored top-down
    int bits = 0;
    std::uint32_t compressao = SEM_COMPRESSAO;
    std::size_t inicioPixels = 0;
    std::size_t cores = 0;  // palette entries the reader fills (pictures of up to 8 bits)
};

bool profundidadeConhecida(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The reader takes the compression only from a Windows header and never
// compares it with the bits per pixel: RLE8 on a 24-bit picture writes bytes
// into 3-byte pixels, bit fields on an 8-bit picture read 2 or 4 bytes a pixel.
bool compressaoCabe(std::uint32_t compressao, int bits) {
    switch (compressao) {
        case SEM_COMPRESSAO: return true;
        case RLE8: return bits == 8;
        case RLE4: return bits == 4;
        case CAMPOS_DE_BITS: return bits == 16 || bits == 32;
        default: return false;  // the reader would return a blank picture or none
    }
}

// The reader knows three layouts of bit fields, tells them apart by the red
// and blue masks alone and ignores green: all three masks must match one.
bool mascarasConhecidas(const unsigned char* dados, int bits) {
    const std::uint32_t r = lerU32(dados + FIM_INFO_WINDOWS);
    const std::uint32_t g = lerU32(dados + FIM_INFO_WINDOWS + 4);
    const std::uint32_t b = lerU32(dados + FIM_INFO_WINDOWS + 8);
    if (bits == 16)
        return (r == 0x7C00 && g == 0x03E0 && b == 0x001F) || (r == 0xF800 && g == 0x07E0 && b == 0x001F);
    return r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF;
}

// The reader fills its palette from the bytes between the headers and the
// pixels: 4 bytes an entry in a Windows file (the last may lack its fourth),
// 3 in an OS/2 file, at most 256 entries.
std::size_t entradasLidas(std::size_t bytes, bool windows) {
    return std::min(windows ? (bytes + 1) / 4 : bytes / 3, CORES_MAXIMAS);
}

Veredicto lerCabecalho(const unsigned char* dados, std::size_t tamanho, Cabecalho& c) {
    if (tamanho < FIM_CABECALHO_ARQUIVO + 4 || dados[0] != 'B' || dados[1] != 'M') return Veredicto::NaoEBmp;
    const std::uint32_t inicioPixels = lerU32(dados + 10);
    const std::uint32_t tamanhoInfo = lerU32(dados + FIM_CABECALHO_ARQUIVO);
    const bool windows = tamanhoInfo == INFO_WINDOWS;
    if (!windows && tamanhoInfo != INFO_OS2) return Veredicto::CabecalhoDesconhecido;
    const std::size_t fimInfo = windows ? FIM_INFO_WINDOWS : FIM_INFO_OS2;
    if (tamanho < fimInfo) return Veredicto::NaoEBmp;

    std::uint32_t coresUsadas = 0;
    if (windows) {
        c.largura = static_cast<std::int32_t>(lerU32(dados + 18));
        c.altura = static_cast<std::int32_t>(lerU32(dados + 22));
        c.bits = lerU16(dados + 28);
        c.compressao = lerU32(dados + 30);
        coresUsadas = lerU32(dados + 46);
    } else {  // OS/2: unsigned 16-bit sides, never compressed
        c.largura = lerU16(dados + 18);
        c.altura = lerU16(dados + 20);
        c.bits = lerU16(dados + 24);
    }
    if (!profundidadeConhecida(c.bits)) return Veredicto::ProfundidadeInvalida;
    if (!compressaoCabe(c.compressao, c.bits)) return Veredicto::CompressaoInvalida;
    const std::int64_t alturaAbsoluta = c.altura < 0 ? -c.altura : c.altura;
    if (c.largura < 1 || c.largura > LADO_MAXIMO || alturaAbsoluta < 1 || alturaAbsoluta > LADO_MAXIMO ||
        c.largura * alturaAbsoluta > AREA_MAXIMA)
        return Veredicto::TamanhoInvalido;
    // A compressed stream starts on the bottom row whatever the sign, so a
    // negative height sends the reader's first row before the picture. And
    // where `long` has 64 bits the reader takes the height as a large positive
    // number and asks for an impossible picture.
    if (c.altura < 0 && (c.compressao == RLE8 || c.compressao == RLE4 || sizeof(long) > 4))
        return Veredicto::DeCimaParaBaixo;

    if (c.compressao == CAMPOS_DE_BITS) {
        // The reader takes the masks right after the header and the pixels
        // right after the masks, whatever the file header says.
        if (tamanho < FIM_MASCARAS) return Veredicto::NaoEBmp;
        if (!mascarasConhecidas(dados, c.bits)) return Veredicto::MascarasInvalidas;
        if (inicioPixels != FIM_MASCARAS) return Veredicto::InicioPixelsInvalido;
        c.inicioPixels = FIM_MASCARAS;
        return Veredicto::Aceita;
    }
    // Otherwise it reads the palette up to the offset the file header gives and
    // the pixels from there; an offset inside the headers would make it read
    // the pixels from the end of the headers instead.
    if (inicioPixels < fimInfo || inicioPixels > tamanho) return Veredicto::InicioPixelsInvalido;
    c.inicioPixels = inicioPixels;
    if (c.bits <= 8) {
        // The reader converts all 256 entries of its palette, and those the
        // file did not fill hold whatever was on the stack: their channels
        // index a 64-entry table, reading far outside it.
        const std::size_t lidas = entradasLidas(inicioPixels - fimInfo, windows);
        if (lidas < CORES_MAXIMAS) return Veredicto::PaletaIncompleta;
        // Colours past the count the header gives are not the picture's.
        c.cores = coresUsadas != 0 ? std::min<std::size_t>(lidas, coresUsadas) : lidas;
    }
    return Veredicto::Aceita;
}

// The colour index of pixel x of an uncompressed row of 1, 4 or 8 bits.
unsigned indiceNaLinha(const unsigned char* linha, std::int64_t x, int bits) {
    if (bits == 8) return linha[x];
    if (bits == 4) return (x % 2 == 0) ? linha[x / 2] >> 4 : linha[x / 2] & 15;
    return (linha[x / 8] >> (7 - x % 8)) & 1;
}

// Uncompressed and bit-field pictures: every row present, padded to 4 bytes,
// and in a paletted one every pixel's colour among those the header counts.
Veredicto conferirSemCompressao(const unsigned char* dados, std::size_t tamanho, const Cabecalho& c) {
    const std::int64_t bytesPorLinha = ((c.largura * c.bits + 31) / 32) * 4;
    const std::int64_t linhas = c.altura < 0 ? -c.altura : c.altura;
    if (bytesPorLinha * linhas > static_cast<std::int64_t>(tamanho - c.inicioPixels))
        return Veredicto::PixelsCortados;
    if (c.bits > 8) return Veredicto::Aceita;
    for (std::int64_t y = 0; y < linhas; y++) {
        const unsigned char* linha = dados + c.inicioPixels + y * bytesPorLinha;
        for (std::int64_t x = 0; x < c.largura; x++)
            if (indiceNaLinha(linha, x, c.bits) >= c.cores) return Veredicto::CorSemPaleta;
    }
    return Veredicto::Aceita;
}

// Walks an RLE8 or RLE4 stream code by code as the reader does. The reader
// never checks where a run lands or whether the file has ended (it then reads
// bytes of 255): any code that would write or move outside the picture, and
// any stream that is cut short, is refused.
class PercursoRle {
public:
    PercursoRle(const unsigned char* dados, std::size_t tamanho, const Cabecalho& c)
        : dados(dados), tamanho(tamanho), pos(c.inicioPixels), largura(c.largura), cores(c.cores),
          quatroBits(c.compressao == RLE4), linha(c.altura - 1) {}

    Veredicto percorrer() {
        for (;;) {
            x = 0;
            bool fimDaLinha = false;
            while (!fimDaLinha) {
                unsigned contagem = 0, valor = 0;
                if (!ler(contagem) || !ler(valor)) return Veredicto::SequenciaCortada;
                Veredicto v = Veredicto::Aceita;
                if (contagem > 0)
                    v = repetir(contagem, valor);
                else if (valor == 0)
                    fimDaLinha = true;
                else if (valor == 1)
                    return Veredicto::Aceita;  // end of the picture
                else if (valor == 2)
                    v = deslocar();
                else
                    v = quatroBits ? absoluto4(valor) : absoluto8(valor);
                if (v != Veredicto::Aceita) return v;
            }
            // After its last row the reader stops even without an end marker.
            if (--linha < 0) return Veredicto::Aceita;
        }
    }

private:
    bool ler(unsigned& byte) {
        if (pos >= tamanho) return false;
        byte = dados[pos++];
        return true;
    }

    // The row (`linha` stays inside the picture: only deltas move it, and
    // they are checked) has room for n more pixels.
    bool cabe(unsigned n) const { return x + n <= largura; }

    Veredicto repetir(unsigned contagem, unsigned valor) {
        if (!cabe(contagem)) return Veredicto::SequenciaForaDaImagem;
        // RLE4 alternates the two nibbles, the high one first.
        const bool coresValidas = quatroBits
            ? (valor >> 4) < cores && (contagem < 2 || (valor & 15) < cores)
            : valor < cores;
        if (!coresValidas) return Veredicto::CorSemPaleta;
        x += contagem;
        return Veredicto::Aceita;
    }

    Veredicto deslocar() {
        unsigned dx = 0, dy = 0;
        if (!ler(dx) || !ler(dy)) return Veredicto::SequenciaCortada;
        x += dx;
        linha -= dy;
        if (x > largura || linha < 0) return Veredicto::SequenciaForaDaImagem;
        return Veredicto::Aceita;
    }

    // n literal bytes, then one of padding when n is odd.
    Veredicto absoluto8(unsigned n) {
        if (!cabe(n)) return Veredicto::SequenciaForaDaImagem;
        for (unsigned i = 0; i < n; i++) {
            unsigned indice = 0;
            if (!ler(indice)) return Veredicto::SequenciaCortada;
            if (indice >= cores) return Veredicto::CorSemPaleta;
        }
        unsigned preenchimento = 0;
        if (n % 2 == 1 && !ler(preenchimento)) return Veredicto::SequenciaCortada;
        x += n;
        return Veredicto::Aceita;
    }

    // n literal nibbles, read as whole 16-bit words of 4 pixels each.
    Veredicto absoluto4(unsigned n) {
        if (!cabe(n)) return Veredicto::SequenciaForaDaImagem;
        for (unsigned i = 0; i < n; i += 4) {
            unsigned a = 0, b = 0;
            if (!ler(a) || !ler(b)) return Veredicto::SequenciaCortada;
            const unsigned indices[4] = {a >> 4, a & 15, b >> 4, b & 15};
            for (unsigned k = 0; k < 4 && i + k < n; k++)
                if (indices[k] >= cores) return Veredicto::CorSemPaleta;
        }
        x += n;
        return Veredicto::Aceita;
    }

    const unsigned char* dados;
    std::size_t tamanho;
    std::size_t pos;
    std::int64_t largura;
    std::size_t cores;
    bool quatroBits;
    std::int64_t linha;
    std::int64_t x = 0;
};

// The machine stores a number's high byte first (s390x, PowerPC).
bool maquinaBigEndian() {
    const std::uint16_t um = 1;
    return *reinterpret_cast<const unsigned char*>(&um) == 0;
}

// On such a machine the reader draws 32-bit and bit-field pictures in other
// colours: it writes each 32-bit colour three bytes at a time in memory order,
// and copies bit-field pixels into the first bytes of a long.
bool bytesTrocadosNaLeitura(const Cabecalho& c) {
    return maquinaBigEndian() && (c.bits == 32 || c.compressao == CAMPOS_DE_BITS);
}

}  // namespace

Veredicto analisar(const unsigned char* dados, std::size_t tamanho) {
    Cabecalho c;
    const Veredicto v = lerCabecalho(dados, tamanho, c);
    if (v != Veredicto::Aceita) return v;
    if (c.compressao == RLE8 || c.compressao == RLE4) return PercursoRle(dados, tamanho, c).percorrer();
    const Veredicto pixels = conferirSemCompressao(dados, tamanho, c);
    if (pixels == Veredicto::Aceita && bytesTrocadosNaLeitura(c)) return Veredicto::BytesTrocados;
    return pixels;
}

}  // namespace bmp
