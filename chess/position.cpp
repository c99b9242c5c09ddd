#include "chess/position.h"

namespace {

constexpr int WhiteShortBit = 0, WhiteLongBit = 1, BlackShortBit = 2, BlackLongBit = 3;
constexpr int WhiteToMoveBit = 4;

// Where square q lives in Board: its word and the shift of its 4 bits.
constexpr int WordOf(Square q) { return (RankOf(q) * 8 + FileOf(q)) / 4; }
constexpr int ShiftOf(Square q) { return 12 - 4 * ((RankOf(q) * 8 + FileOf(q)) % 4); }

constexpr char PieceLetters[] = " PNBRQKpnbrqk";

PieceCode PieceFromLetter(char c)
{
    switch (c) {
    case 'P': return Piece::WhitePawn;
    case 'N': return Piece::WhiteKnight;
    case 'B': return Piece::WhiteBishop;
    case 'R': return Piece::WhiteRook;
    case 'Q': return Piece::WhiteQueen;
    case 'K': return Piece::WhiteKing;
    case 'p': return Piece::BlackPawn;
    case 'n': return Piece::BlackKnight;
    case 'b': return Piece::BlackBishop;
    case 'r': return Piece::BlackRook;
    case 'q': return Piece::BlackQueen;
    case 'k': return Piece::BlackKing;
    default: return 0xFF;
    }
}

// The text after the first blank; empty when there is none.
std::string_view AfterBlank(std::string_view text)
{
    const auto blank = text.find(' ');
    return blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
}

int OneBasedIndex(std::string_view set, std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return 0;
    const auto found = set.find(text[at]);
    return found == std::string_view::npos ? 0 : int(found) + 1;
}

} // namespace

TChessPosition::TChessPosition()
{
    SetStartPosition();
}

void TChessPosition::SetStartPosition()
{
    static constexpr PieceCode BackRank[8] = {4, 2, 3, 5, 6, 3, 2, 4};
    for (int file = 0; file < 8; ++file) {
        SetPiece(BackRank[file], MakeSquare(0, file));
        SetPiece(Piece::WhitePawn, MakeSquare(1, file));
        for (int rank = 2; rank < 6; ++rank)
            SetPiece(Piece::Empty, MakeSquare(rank, file));
        SetPiece(Piece::BlackPawn, MakeSquare(6, file));
        SetPiece(BackRank[file] + Piece::BlackOffset, MakeSquare(7, file));
    }
    m_data.State = 0;
    SetWhiteToMove(true);
    SetCastleWhiteShort(true);
    SetCastleWhiteLong(true);
    SetCastleBlackShort(true);
    SetCastleBlackLong(true);
    SetEnPassant(0);
}

bool TChessPosition::IsOffBoard(Square q)
{
    return q > 77 || FileOf(q) > 7;
}

PieceCode TChessPosition::GetPiece(Square q) const
{
    if (IsOffBoard(q))
        return 0;
    return (m_data.Board[WordOf(q)] >> ShiftOf(q)) & 0xF;
}

void TChessPosition::SetPiece(PieceCode piece, Square q)
{
    if (IsOffBoard(q))
        return;
    std::uint16_t &word = m_data.Board[WordOf(q)];
    const int shift = ShiftOf(q);
    word = std::uint16_t((word & ~(0xF << shift)) | ((piece & 0xF) << shift));
}

void TChessPosition::SetStateBit(int bit, bool on)
{
    m_data.State = on ? std::uint16_t(m_data.State | (1 << bit)) : std::uint16_t(m_data.State & ~(1 << bit));
}

void TChessPosition::SetCastleWhiteShort(bool allowed) { SetStateBit(WhiteShortBit, allowed); }
void TChessPosition::SetCastleWhiteLong(bool allowed) { SetStateBit(WhiteLongBit, allowed); }
void TChessPosition::SetCastleBlackShort(bool allowed) { SetStateBit(BlackShortBit, allowed); }
void TChessPosition::SetCastleBlackLong(bool allowed) { SetStateBit(BlackLongBit, allowed); }
bool TChessPosition::CastleWhiteShort() const { return StateBit(WhiteShortBit); }
bool TChessPosition::CastleWhiteLong() const { return StateBit(WhiteLongBit); }
bool TChessPosition::CastleBlackShort() const { return StateBit(BlackShortBit); }
bool TChessPosition::CastleBlackLong() const { return StateBit(BlackLongBit); }

void TChessPosition::SetWhiteToMove(bool whiteToMove) { SetStateBit(WhiteToMoveBit, whiteToMove); }
bool TChessPosition::WhiteToMove() const { return StateBit(WhiteToMoveBit); }

void TChessPosition::SetEnPassant(Square q)
{
    m_data.State = std::uint16_t((m_data.State & 0x00FF) | (q << 8));
}

Square TChessPosition::EnPassant() const
{
    return Square(m_data.State >> 8);
}

std::string TChessPosition::ToFEN() const
{
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int run = 0;
        for (int file = 0; file < 8; ++file) {
            const PieceCode piece = GetPiece(MakeSquare(rank, file));
            if (piece == Piece::Empty) {
                ++run;
                continue;
            }
            if (run > 0)
                fen += char('0' + run);
            run = 0;
            fen += piece <= Piece::BlackKing ? PieceLetters[piece] : '?';
        }
        if (run > 0)
            fen += char('0' + run);
        if (rank > 0)
            fen += '/';
    }
    fen += WhiteToMove() ? " w " : " b ";
    const std::size_t rightsAt = fen.size();
    if (CastleWhiteShort()) fen += 'K';
    if (CastleWhiteLong()) fen += 'Q';
    if (CastleBlackShort()) fen += 'k';
    if (CastleBlackLong()) fen += 'q';
    if (fen.size() == rightsAt)
        fen += '-';
    const Square ep = EnPassant();
    if (ep != 0) {
        // The byte is written as stored; an off-board value still names a
        // file and rank digit when it has them.
        fen += ' ';
        fen += FileOf(ep) < 8 ? FileLetters[FileOf(ep)] : '?';
        fen += RankOf(ep) < 8 ? RankDigits[RankOf(ep)] : '?';
        fen += ' ';
    } else {
        fen += " - ";
    }
    return fen;
}

bool TChessPosition::SetPlacement(std::string_view text)
{
    std::string_view placement = text.substr(0, text.find(' '));
    placement = placement.substr(0, 64);
    int rank = 7, file = 0;
    PieceCode piece = 0;
    auto placed = [&] {
        ++file;
        if (file > 7 && rank > 0) {
            file = 0;
            --rank;
        }
    };
    for (const char c : placement) {
        if (c == '/')
            continue;
        if (c >= '1' && c <= '8') {
            const int run = c - '0';
            // Accepts a run one square past the rank's end, which then spills
            // onto the next rank; the final check still counts 64 squares.
            if (file + run > 9)
                return false;
            for (int i = 0; i < run; ++i) {
                SetPiece(Piece::Empty, MakeSquare(rank, file));
                placed();
            }
            continue;
        }
        // Anything that is not a piece letter (also "0" and "9") repeats the
        // previous piece.
        if (const PieceCode letter = PieceFromLetter(c); letter != 0xFF)
            piece = letter;
        SetPiece(piece, Square(rank * 10 + file));
        placed();
    }
    return rank == 0 && file == 8;
}

bool TChessPosition::FromFEN(std::string_view text, PackedPosition &out)
{
    SetWhiteToMove(true);
    if (!SetPlacement(text))
        return false;

    std::string_view rest = AfterBlank(text);
    if (rest.empty() || (rest[0] != 'w' && rest[0] != 'b'))
        return false;
    SetWhiteToMove(rest[0] == 'w');

    rest = AfterBlank(rest);
    if (rest.empty())
        return false;
    SetCastleWhiteShort(rest.find('K') != std::string_view::npos);
    SetCastleWhiteLong(rest.find('Q') != std::string_view::npos);
    SetCastleBlackShort(rest.find('k') != std::string_view::npos);
    SetCastleBlackLong(rest.find('q') != std::string_view::npos);

    rest = AfterBlank(rest);
    if (rest.empty())
        return false;
    int ep = 0;
    if (rest[0] != '-') {
        const int r = OneBasedIndex(RankDigits, rest, 1);
        const int f = OneBasedIndex(FileLetters, rest, 0);
        // The square the pawn passed over, as move entry stores it and the
        // rules compare it with a capture's destination: on the sixth rank
        // with White to move, on the third with Black to move.
        ep = (r - 1) * 10 + f - 1;
        const int rank = WhiteToMove() ? 5 : 2;
        if (r == 0 || f == 0 || ep / 10 != rank)
            ep = 0;
    }
    SetEnPassant(Square(ep));

    out = m_data;
    return true;
}
