#include "imagens.h"

#include <allegro.h>

#include <cstdio>
#include <vector>

#include "verificacao_bmp.h"

namespace imagens {

namespace {

// No picture the game accepts needs a much bigger file than the largest
// picture of 32 bits with its headers.
const std::size_t TAMANHO_MAXIMO_ARQUIVO = 2 * bmp::AREA_MAXIMA * 4 + 64 * 1024;

// The whole file, or false when it cannot be read or is larger than any
// picture the game accepts. Read in one piece into one block of its size: the
// start-up check reads every picture, and growing a buffer as it reads costs
// more than the reading.
bool lerArquivo(const char* caminho, std::vector<unsigned char>& dados) {
    std::FILE* f = std::fopen(caminho, "rb");
    if (!f) return false;
    long tamanho = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) tamanho = std::ftell(f);
    bool lido = tamanho >= 0 && static_cast<unsigned long>(tamanho) <= TAMANHO_MAXIMO_ARQUIVO &&
                std::fseek(f, 0, SEEK_SET) == 0;
    if (lido) {
        dados.resize(static_cast<std::size_t>(tamanho));
        // A file that grew or shrank meanwhile, or a folder, reads short or long.
        lido = (dados.empty() || std::fread(dados.data(), 1, dados.size(), f) == dados.size()) &&
               std::fgetc(f) == EOF;
    }
    std::fclose(f);
    return lido;
}

}  // namespace

// The library's reader trusts the file: a truncated one is filled with what it
// reads past the end, a lying compressed one is written wherever it points.
// The file is therefore read and judged whole before the reader sees it.
bool bmpCompleto(const char* caminho) {
    std::vector<unsigned char> dados;
    if (!lerArquivo(caminho, dados)) return false;
    return bmp::analisar(dados.data(), dados.size()) == bmp::Veredicto::Aceita;
}

bool imagemCarrega(const char* caminho) {
    if (!bmpCompleto(caminho)) return false;
    BITMAP* imagem = load_bitmap(caminho, NULL);
    if (!imagem) return false;
    destroy_bitmap(imagem);
    return true;
}

const char* primeiraImagemInvalida() {
    for (const char* caminho : TODAS)
        if (!imagemCarrega(caminho)) return caminho;
    return nullptr;
}

std::string mensagemImagemInvalida(const char* caminho, const std::string& pasta) {
    return std::string("Nao foi possivel carregar ") + caminho + " (pasta atual: " + pasta + ")";
}

}  // namespace imagens
