#include "imagens.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>

namespace imagens {

namespace {

const long TAMANHO_CABECALHO_ARQUIVO = 14;
const long TAMANHO_CABECALHO_INFO = 40;  // the Windows info header
const int SEM_COMPRESSAO = 0;

std::uint32_t lerU32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t lerU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

// The library's loader accepts a truncated file and fills the missing rows
// with whatever it reads past the end; an uncompressed picture must therefore
// be checked to hold every row its header announces before it is loaded.
bool bmpCompleto(const char* caminho) {
    std::FILE* f = std::fopen(caminho, "rb");
    if (!f) return false;
    unsigned char cabecalho[TAMANHO_CABECALHO_ARQUIVO + TAMANHO_CABECALHO_INFO];
    const bool lido = std::fread(cabecalho, 1, sizeof cabecalho, f) == sizeof cabecalho;
    std::fseek(f, 0, SEEK_END);
    const long tamanhoArquivo = std::ftell(f);
    std::fclose(f);
    if (!lido || cabecalho[0] != 'B' || cabecalho[1] != 'M') return false;

    const std::uint32_t inicioPixels = lerU32(cabecalho + 10);
    const std::uint32_t tamanhoInfo = lerU32(cabecalho + 14);
    if (tamanhoInfo != TAMANHO_CABECALHO_INFO) return true;  // other layouts: the loader decides
    const std::int64_t largura = static_cast<std::int32_t>(lerU32(cabecalho + 18));
    std::int64_t altura = static_cast<std::int32_t>(lerU32(cabecalho + 22));
    const int bits = lerU16(cabecalho + 28);
    const std::uint32_t compressao = lerU32(cabecalho + 30);
    if (altura < 0) altura = -altura;
    if (largura <= 0 || altura == 0 || bits == 0) return false;
    if (compressao != SEM_COMPRESSAO) return true;

    const std::int64_t bytesPorLinha = ((largura * bits + 31) / 32) * 4;
    return static_cast<std::int64_t>(inicioPixels) + bytesPorLinha * altura <= tamanhoArquivo;
}

const char* primeiraImagemInvalida() {
    for (const char* caminho : TODAS) {
        if (!bmpCompleto(caminho)) return caminho;
        BITMAP* imagem = load_bitmap(caminho, NULL);
        if (!imagem) return caminho;
        destroy_bitmap(imagem);
    }
    return nullptr;
}

std::string mensagemImagemInvalida(const char* caminho, const std::string& pasta) {
    return std::string("Nao foi possivel carregar ") + caminho + " (pasta atual: " + pasta + ")";
}

}  // namespace imagens
