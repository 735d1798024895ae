// The start-up picture check: every picture the game will load is tried, and
// the first one that is missing, truncated, not a picture or a picture the
// library's reader would mishandle is named.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "apoio.h"
#include "imagens.h"
#include "montador_bmp.h"
#include "verificacao_bmp.h"

namespace fs = std::filesystem;

namespace {

void copiarTodas(apoio::PastaTemporaria& pasta) {
    for (const char* caminho : imagens::TODAS) pasta.copiarDoJogo(caminho);
}

void truncar(const char* caminho, std::uintmax_t bytes) { fs::resize_file(caminho, bytes); }

void escrever(const char* caminho, const std::string& conteudo) {
    std::ofstream(caminho, std::ios::binary) << conteudo;
}

void escrever(const char* caminho, const std::vector<unsigned char>& bytes) {
    escrever(caminho, std::string(bytes.begin(), bytes.end()));
}

bmp::Veredicto analisar(const std::vector<unsigned char>& b) { return bmp::analisar(b.data(), b.size()); }

void por32(std::vector<unsigned char>& b, std::size_t pos, std::uint32_t v) {
    for (int i = 0; i < 4; i++) b[pos + i] = (v >> (8 * i)) & 255;
}
void por16(std::vector<unsigned char>& b, std::size_t pos, unsigned v) {
    b[pos] = v & 255;
    b[pos + 1] = (v >> 8) & 255;
}

// Offsets of the Windows headers.
const std::size_t INICIO_PIXELS = 10, TAMANHO_INFO = 14, LARGURA = 18, ALTURA = 22, BITS = 28,
                  COMPRESSAO = 30, CORES_USADAS = 46, MASCARAS = 54;
const std::size_t PALETA = 256 * 4;
// Where the RLE8 drawing's stream starts (after the palette) and what it
// holds: the bottom row as a run of 4 (2 bytes), an absolute run of 3 (2 + 3
// bytes and one of padding), end of row.
const std::size_t STREAM_RLE8 = 54 + PALETA;

}  // namespace

TEST(VerificacaoDeImagens, TodasPresentesNaoApontaNenhuma) {
    apoio::PastaTemporaria pasta;
    copiarTodas(pasta);
    EXPECT_EQ(imagens::primeiraImagemInvalida(), nullptr);
}

TEST(VerificacaoDeImagens, PastaVaziaApontaAPrimeiraDaLista) {
    apoio::PastaTemporaria pasta;
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::TODAS[0]);
}

TEST(VerificacaoDeImagens, ApontaCadaArquivoFaltandoOuEstragado) {
    apoio::PastaTemporaria pasta;
    copiarTodas(pasta);
    const std::uintmax_t tamanho = fs::file_size(imagens::CLAVE);

    fs::remove(imagens::CLAVE);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "missing";

    escrever(imagens::CLAVE, "");
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "empty";

    escrever(imagens::CLAVE, "esta imagem nao e um BMP, e um texto qualquer com mais de 54 bytes");
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "not a picture";

    pasta.copiarDoJogo(imagens::CLAVE);
    truncar(imagens::CLAVE, tamanho - 1);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "one byte short";

    pasta.copiarDoJogo(imagens::CLAVE);
    truncar(imagens::CLAVE, 20);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "header cut";

    fs::remove(imagens::CLAVE);
    fs::create_directory(imagens::CLAVE);
    EXPECT_STREQ(imagens::primeiraImagemInvalida(), imagens::CLAVE) << "a folder in its place";
}

TEST(VerificacaoDeImagens, ListaCobreCadaPastaDoJogoSemRepetir) {
    std::set<std::string> vistos;
    for (const char* caminho : imagens::TODAS) EXPECT_TRUE(vistos.insert(caminho).second) << caminho;
    EXPECT_EQ(vistos.size(), 8u + 4u + 5u + 20u + 15u + 9u + 12u + 4u + 2u);
}

TEST(VerificacaoDeImagens, MensagemNomeiaArquivoEPasta) {
    EXPECT_EQ(imagens::mensagemImagemInvalida("./abertura/back.bmp", "/home/x"),
              "Nao foi possivel carregar ./abertura/back.bmp (pasta atual: /home/x)");
}

TEST(VerificacaoDeImagens, CabecalhoComDimensoesEnormesNaoPassa) {
    apoio::PastaTemporaria pasta;
    pasta.gravarImagem("x.bmp", 4, 4, makecol(1, 2, 3));
    EXPECT_TRUE(imagens::bmpCompleto("x.bmp"));
    // Claim a 100000 x 100000 picture in a file of a few bytes.
    std::fstream f("x.bmp", std::ios::in | std::ios::out | std::ios::binary);
    const unsigned char enorme[4] = {0xA0, 0x86, 0x01, 0x00};
    f.seekp(18);
    f.write(reinterpret_cast<const char*>(enorme), 4);
    f.write(reinterpret_cast<const char*>(enorme), 4);
    f.close();
    EXPECT_FALSE(imagens::bmpCompleto("x.bmp"));
}

// Where the machine stores a number's high byte first, the library's reader
// draws 32-bit and bit-field pictures in other colours: refused there.
static bool bytesTrocadosAqui(apoio::Layout l) {
    const bool bigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
    using L = apoio::Layout;
    return bigEndian && (l == L::Bits32 || l == L::Campos555 || l == L::Campos565 || l == L::Campos888);
}

TEST(VerificacaoDeImagens, CadaLayoutCarregaComOsPixelsQueCodifica) {
    apoio::PastaTemporaria pasta;
    for (apoio::Layout layout : apoio::TODOS_LAYOUTS) {
        const int n = static_cast<int>(layout);
        escrever("x.bmp", apoio::montarBmp(layout));
        if (bytesTrocadosAqui(layout)) {
            EXPECT_EQ(analisar(apoio::montarBmp(layout)), bmp::Veredicto::BytesTrocados) << "layout " << n;
            EXPECT_FALSE(imagens::imagemCarrega("x.bmp")) << "layout " << n;
            continue;
        }
        ASSERT_TRUE(imagens::imagemCarrega("x.bmp")) << "layout " << n;
        apoio::Imagem imagem("x.bmp");
        ASSERT_EQ(imagem->w, apoio::LARGURA_DESENHO) << "layout " << n;
        ASSERT_EQ(imagem->h, apoio::ALTURA_DESENHO) << "layout " << n;
        for (int y = 0; y < apoio::ALTURA_DESENHO; y++)
            for (int x = 0; x < apoio::LARGURA_DESENHO; x++) {
                const apoio::CorPura c = apoio::CORES_PURAS[apoio::indiceDoDesenho(layout, x, y)];
                EXPECT_EQ(getpixel(imagem.get(), x, y), makecol(c.r, c.g, c.b))
                    << "layout " << n << ", pixel " << x << "," << y;
            }
    }
}

// A compressed stream always starts on the bottom row, so top-down RLE is
// refused everywhere. Where `long` has 64 bits the library's reader cannot
// take any top-down picture (it reads the height as a huge positive number).
TEST(VerificacaoDeImagens, DeCimaParaBaixoSoOndeABibliotecaOLe) {
    EXPECT_EQ(analisar(apoio::montarBmp(apoio::Layout::Rle8, true)), bmp::Veredicto::DeCimaParaBaixo);
    EXPECT_EQ(analisar(apoio::montarBmp(apoio::Layout::Rle4, true)), bmp::Veredicto::DeCimaParaBaixo);
    apoio::PastaTemporaria pasta;
    escrever("x.bmp", apoio::montarBmp(apoio::Layout::Bits24, true));
    if (sizeof(long) > 4) {
        EXPECT_FALSE(imagens::imagemCarrega("x.bmp"));
        return;
    }
    ASSERT_TRUE(imagens::imagemCarrega("x.bmp"));
    apoio::Imagem imagem("x.bmp");
    const apoio::CorPura c = apoio::CORES_PURAS[apoio::indiceDoDesenho(apoio::Layout::Bits24, 0, 0)];
    EXPECT_EQ(getpixel(imagem.get(), 0, 0), makecol(c.r, c.g, c.b));
}

// Each lie is told in a file that is otherwise well formed, so the verdict
// names the lie; each file also goes through the whole start-up check.
TEST(VerificacaoDeImagens, CabecalhosESequenciasMentirososSaoRecusados) {
    using apoio::Layout;
    using V = bmp::Veredicto;
    using Bytes = std::vector<unsigned char>;
    struct Caso {
        const char* nome;
        Layout layout;
        std::function<void(Bytes&)> mudar;
        V esperado;
    };
    const Caso casos[] = {
        {"not BM", Layout::Bits24, [](Bytes& b) { b[0] = 'X'; }, V::NaoEBmp},
        {"cut inside the info header", Layout::Bits24, [](Bytes& b) { b.resize(40); }, V::NaoEBmp},
        {"OS/2 header cut", Layout::Os2Bits8, [](Bytes& b) { b.resize(24); }, V::NaoEBmp},
        {"bit fields cut before the masks", Layout::Campos888, [](Bytes& b) { b.resize(60); }, V::NaoEBmp},
        {"a version 4 header", Layout::Bits24, [](Bytes& b) { por32(b, TAMANHO_INFO, 108); }, V::CabecalhoDesconhecido},
        {"2 bits per pixel", Layout::Bits8, [](Bytes& b) { por16(b, BITS, 2); }, V::ProfundidadeInvalida},
        {"64 bits per pixel", Layout::Bits32, [](Bytes& b) { por16(b, BITS, 64); }, V::ProfundidadeInvalida},
        {"JPEG inside", Layout::Bits24, [](Bytes& b) { por32(b, COMPRESSAO, 4); }, V::CompressaoInvalida},
        {"RLE8 on 24 bits", Layout::Bits24, [](Bytes& b) { por32(b, COMPRESSAO, 1); }, V::CompressaoInvalida},
        {"RLE4 on 8 bits", Layout::Rle8, [](Bytes& b) { por32(b, COMPRESSAO, 2); }, V::CompressaoInvalida},
        {"bit fields on 8 bits", Layout::Bits8, [](Bytes& b) { por32(b, COMPRESSAO, 3); }, V::CompressaoInvalida},
        {"masks of zero", Layout::Campos565, [](Bytes& b) { for (int i = 0; i < 12; i++) b[MASCARAS + i] = 0; },
         V::MascarasInvalidas},
        {"a green mask the reader ignores", Layout::Campos555, [](Bytes& b) { por32(b, MASCARAS + 4, 0x07E0); },
         V::MascarasInvalidas},
        {"width 0", Layout::Bits24, [](Bytes& b) { por32(b, LARGURA, 0); }, V::TamanhoInvalido},
        {"negative width", Layout::Bits24, [](Bytes& b) { por32(b, LARGURA, -7); }, V::TamanhoInvalido},
        {"width 4097", Layout::Bits24, [](Bytes& b) { por32(b, LARGURA, 4097); }, V::TamanhoInvalido},
        {"4096 x 4096 in a few bytes of RLE", Layout::Rle8,
         [](Bytes& b) { por32(b, LARGURA, 4096); por32(b, ALTURA, 4096); }, V::TamanhoInvalido},
        {"4096 x 257: over a million pixels", Layout::Bits8,
         [](Bytes& b) { por32(b, LARGURA, 4096); por32(b, ALTURA, 257); }, V::TamanhoInvalido},
        {"height 0", Layout::Rle8, [](Bytes& b) { por32(b, ALTURA, 0); }, V::TamanhoInvalido},
        {"height 100000", Layout::Rle4, [](Bytes& b) { por32(b, ALTURA, 100000); }, V::TamanhoInvalido},
        {"2^31-1 on both sides (the size product overflows)", Layout::Bits24,
         [](Bytes& b) { por32(b, LARGURA, 0x7FFFFFFF); por32(b, ALTURA, 0x7FFFFFFF); }, V::TamanhoInvalido},
        {"pixels inside the headers", Layout::Bits24, [](Bytes& b) { por32(b, INICIO_PIXELS, 20); },
         V::InicioPixelsInvalido},
        {"pixels past the end", Layout::Rle8, [](Bytes& b) { por32(b, INICIO_PIXELS, b.size() + 1); },
         V::InicioPixelsInvalido},
        {"bit-field pixels away from the masks", Layout::Campos888, [](Bytes& b) { por32(b, INICIO_PIXELS, 70); },
         V::InicioPixelsInvalido},
        {"one byte short", Layout::Bits24, [](Bytes& b) { b.pop_back(); }, V::PixelsCortados},
        {"1 bit, a palette of one colour", Layout::Bits1, [](Bytes& b) { por32(b, CORES_USADAS, 1); },
         V::CorSemPaleta},
        {"8 bits, colours beyond the palette", Layout::Bits8, [](Bytes& b) { por32(b, CORES_USADAS, 2); },
         V::CorSemPaleta},
        {"RLE8 with no palette", Layout::Rle8, [](Bytes& b) { por32(b, INICIO_PIXELS, 54); }, V::PaletaIncompleta},
        {"8 bits, a palette of 255 entries", Layout::Bits8,
         [](Bytes& b) { b.erase(b.begin() + 54, b.begin() + 58); por32(b, INICIO_PIXELS, 54 + PALETA - 4); },
         V::PaletaIncompleta},
        {"OS/2, a palette of 8 entries", Layout::Os2Bits8,
         [](Bytes& b) { b.erase(b.begin() + 26 + 8 * 3, b.begin() + 26 + 256 * 3); por32(b, INICIO_PIXELS, 26 + 8 * 3); },
         V::PaletaIncompleta},
        {"RLE4, colours beyond the palette", Layout::Rle4, [](Bytes& b) { por32(b, CORES_USADAS, 4); },
         V::CorSemPaleta},
        {"a run longer than the row", Layout::Rle8,
         [](Bytes& b) { b[STREAM_RLE8 + 2] = 4; b[STREAM_RLE8 + 3] = 6; }, V::SequenciaForaDaImagem},
        {"an absolute run past the row", Layout::Rle8, [](Bytes& b) { b[STREAM_RLE8 + 3] = 4; },
         V::SequenciaForaDaImagem},
        {"a delta above the picture", Layout::Rle8,
         [](Bytes& b) { b[STREAM_RLE8] = 0; b[STREAM_RLE8 + 1] = 2; b[STREAM_RLE8 + 2] = 0; b[STREAM_RLE8 + 3] = 5; },
         V::SequenciaForaDaImagem},
        {"a stream cut inside its last code", Layout::Rle8, [](Bytes& b) { b.resize(b.size() - 3); },
         V::SequenciaCortada},
        {"an RLE4 stream cut inside an absolute run", Layout::Rle4, [](Bytes& b) { b.resize(STREAM_RLE8 + 5); },
         V::SequenciaCortada},
        // Not lies: the reader stops after the last row, and a delta may skip
        // pixels inside the picture (here the bottom row, left at colour 0).
        {"every row ended, no end-of-picture code", Layout::Rle8, [](Bytes& b) { b.resize(b.size() - 2); },
         V::Aceita},
        {"4096 wide, RLE rows ending early", Layout::Rle8, [](Bytes& b) { por32(b, LARGURA, 4096); }, V::Aceita},
        {"a delta inside the picture", Layout::Rle8,
         [](Bytes& b) { b.insert(b.begin() + STREAM_RLE8, {0, 2, 0, 1}); }, V::Aceita},
    };
    apoio::PastaTemporaria pasta;
    for (const Caso& caso : casos) {
        Bytes b = apoio::montarBmp(caso.layout);
        const V antes = bytesTrocadosAqui(caso.layout) ? V::BytesTrocados : V::Aceita;
        ASSERT_EQ(static_cast<int>(analisar(b)), static_cast<int>(antes)) << caso.nome << ": the file before the lie";
        caso.mudar(b);
        EXPECT_EQ(static_cast<int>(analisar(b)), static_cast<int>(caso.esperado)) << caso.nome;
        escrever("x.bmp", b);
        EXPECT_EQ(imagens::imagemCarrega("x.bmp"), caso.esperado == V::Aceita) << caso.nome;
    }
}

// Every file that ever crashed, froze or fooled the check (the
// hand-made RLE pictures and the fuzzer's finds, minimised) goes through the
// start-up check again: each must be refused.
TEST(VerificacaoDeImagens, ArquivosQueJaFalharamSaoRecusados) {
    const fs::path regressao = fs::path(apoio::pastaDados()) / ".." / "tests" / "regressao_bmp";
    apoio::PastaTemporaria pasta;
    int arquivos = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(regressao)) {
        if (e.path().extension() != ".bmp") continue;
        fs::copy_file(e.path(), "x.bmp", fs::copy_options::overwrite_existing);
        EXPECT_FALSE(imagens::imagemCarrega("x.bmp")) << e.path().filename();
        arquivos++;
    }
    EXPECT_GE(arquivos, 6);
}
