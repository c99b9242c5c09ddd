#pragma once

#include <cstdint>

// The two byte encodings every part of the program shares.
//
// Square: rank * 10 + file, both 0..7 from White's side (a1 = 0, h1 = 7,
// e4 = 34, h8 = 77). A units digit of 8 or 9 and values above 77 are off the
// board; one rank is +-10.
using Square = std::uint8_t;

// PieceCode: 0 empty, 1..6 white pawn, knight, bishop, rook, queen, king,
// 7..12 the black ones (black = white + 6). 13..15 are never valid.
using PieceCode = std::uint8_t;

namespace Piece {
inline constexpr PieceCode Empty = 0;
inline constexpr PieceCode WhitePawn = 1, WhiteKnight = 2, WhiteBishop = 3,
                           WhiteRook = 4, WhiteQueen = 5, WhiteKing = 6;
inline constexpr PieceCode BlackPawn = 7, BlackKnight = 8, BlackBishop = 9,
                           BlackRook = 10, BlackQueen = 11, BlackKing = 12;
inline constexpr PieceCode BlackOffset = 6;
} // namespace Piece

constexpr int RankOf(Square q) { return q / 10; }
constexpr int FileOf(Square q) { return q % 10; }
constexpr Square MakeSquare(int rank, int file) { return Square(rank * 10 + file); }

constexpr bool IsWhitePiece(PieceCode p) { return p >= Piece::WhitePawn && p <= Piece::WhiteKing; }
constexpr bool IsBlackPiece(PieceCode p) { return p >= Piece::BlackPawn && p <= Piece::BlackKing; }

// "abcdefgh" and "12345678": the letters of files and ranks in move texts.
inline constexpr char FileLetters[] = "abcdefgh";
inline constexpr char RankDigits[] = "12345678";
