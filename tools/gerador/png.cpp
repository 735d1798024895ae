// A small PNG writer for the icons: Allegro 4 writes only BMP, PCX and TGA.
// Palette pictures (at most 256 colours, magenta as the one transparent
// colour) in stored deflate blocks: no compressor is involved, so the same
// pixels give the same bytes on every machine.
#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "pincel.h"

namespace pincel {

namespace {

using Bytes = std::vector<std::uint8_t>;

void falhar(const std::string& mensagem) {
    std::fprintf(stderr, "gerar_imagens: %s\n", mensagem.c_str());
    std::exit(1);
}

void anexar32(Bytes& b, std::uint32_t v) {
    for (int d = 24; d >= 0; d -= 8) b.push_back(std::uint8_t(v >> d));
}

std::uint32_t crc32(const std::uint8_t* dados, std::size_t n) {
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < n; i++) {
        crc ^= dados[i];
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t adler32(const Bytes& dados) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t x : dados) {
        a = (a + x) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

// One chunk: length, type, data, and the CRC of type and data.
void chunk(Bytes& png, const char tipo[5], const Bytes& dados) {
    anexar32(png, std::uint32_t(dados.size()));
    std::size_t inicio = png.size();
    png.insert(png.end(), tipo, tipo + 4);
    png.insert(png.end(), dados.begin(), dados.end());
    anexar32(png, crc32(png.data() + inicio, png.size() - inicio));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibSemCompressao(const Bytes& dados) {
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        std::size_t n = std::min<std::size_t>(65535, dados.size() - pos);
        bool ultimo = pos + n == dados.size();
        z.push_back(ultimo ? 1 : 0);
        z.push_back(std::uint8_t(n));
        z.push_back(std::uint8_t(n >> 8));
        z.push_back(std::uint8_t(~n));
        z.push_back(std::uint8_t(~n >> 8));
        z.insert(z.end(), dados.begin() + long(pos), dados.begin() + long(pos + n));
        pos += n;
    } while (pos < dados.size());
    anexar32(z, adler32(dados));
    return z;
}

// The PNG file of `imagem`: palette entry 0 is the transparent magenta when
// the picture has any; the other colours follow in the order they first
// appear, row by row.
Bytes codificar(BITMAP* imagem, const std::string& nome) {
    const int transparente = magenta();
    std::map<int, int> indice;
    std::vector<int> paleta;
    auto registrar = [&](int cor) {
        if (indice.count(cor)) return;
        indice[cor] = int(paleta.size());
        paleta.push_back(cor);
    };
    for (int y = 0; y < imagem->h; y++)
        for (int x = 0; x < imagem->w; x++)
            if (getpixel(imagem, x, y) == transparente) registrar(transparente);
    for (int y = 0; y < imagem->h; y++)
        for (int x = 0; x < imagem->w; x++) registrar(getpixel(imagem, x, y));
    if (paleta.size() > 256) falhar(nome + " tem mais de 256 cores");

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes cabecalho;
    anexar32(cabecalho, std::uint32_t(imagem->w));
    anexar32(cabecalho, std::uint32_t(imagem->h));
    cabecalho.insert(cabecalho.end(), {8, 3, 0, 0, 0});  // 8-bit palette indices
    chunk(png, "IHDR", cabecalho);

    Bytes cores;
    for (int c : paleta) cores.insert(cores.end(), {std::uint8_t(getr(c)), std::uint8_t(getg(c)), std::uint8_t(getb(c))});
    chunk(png, "PLTE", cores);
    if (paleta[0] == transparente) chunk(png, "tRNS", Bytes{0});  // the rest default to opaque

    Bytes linhas;
    for (int y = 0; y < imagem->h; y++) {
        linhas.push_back(0);  // filter: none
        for (int x = 0; x < imagem->w; x++) linhas.push_back(std::uint8_t(indice[getpixel(imagem, x, y)]));
    }
    chunk(png, "IDAT", zlibSemCompressao(linhas));
    chunk(png, "IEND", Bytes{});
    return png;
}

}  // namespace

void salvarPng(BITMAP* imagem, const std::string& caminho) {
    std::string completo = caminhoDeSaida(caminho);
    Bytes png = codificar(imagem, completo);
    std::FILE* f = std::fopen(completo.c_str(), "wb");
    bool gravou = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f && std::fclose(f) != 0) gravou = false;
    if (!gravou) falhar("nao foi possivel gravar " + completo);
    destroy_bitmap(imagem);
}

}  // namespace pincel
