#include "chess/move_text.h"

#include "movelib/tlmpgn32.h"

#include <string>

namespace {

// Indexed by the white piece code: 2 knight .. 6 king.
constexpr char PieceLetters[] = "  NBRQK";
constexpr char CoordinatePromotionLetters[] = "  nbrq";

bool IsFileLetter(char c) { return c >= 'a' && c <= 'h'; }

int PieceKind(PieceCode p) { return IsBlackPiece(p) ? p - Piece::BlackOffset : p; }

void AppendSquare(std::string &text, Square q)
{
    text += FileLetters[FileOf(q) & 7];
    text += RankDigits[RankOf(q) & 7];
}

// The rook's move that goes with a king's castling move, if it is one.
bool CastlingRook(PieceCode king, Square from, Square to, Square &rookFrom, Square &rookTo)
{
    const Square home = king == Piece::WhiteKing ? 4 : 74;
    if ((king != Piece::WhiteKing && king != Piece::BlackKing) || from != home)
        return false;
    if (to == home + 2) {
        rookFrom = Square(home + 3);
        rookTo = Square(home + 1);
        return true;
    }
    if (to == home - 2) {
        rookFrom = Square(home - 4);
        rookTo = Square(home - 1);
        return true;
    }
    return false;
}

// What the SAN text names of the from-square, read from its second
// character on: a file ("Nbd2"), a rank ("R1e2") or both ("Qh4e1"), each
// followed by the to-square's file or a capture mark.
std::uint8_t DisambiguationOf(std::string_view san)
{
    const auto at = [&](std::size_t i) { return i < san.size() ? san[i] : '\0'; };
    const auto opensTarget = [](char c) { return IsFileLetter(c) || c == 'x'; };
    const char second = at(1), third = at(2);
    if (IsFileLetter(second) && third >= '1' && third <= '8' && opensTarget(at(3)))
        return MoveRecord::FromFileNamed | MoveRecord::FromRankNamed;
    if (IsFileLetter(second) && opensTarget(third))
        return MoveRecord::FromFileNamed;
    if (second >= '0' && second <= '8' && opensTarget(third))
        return MoveRecord::FromRankNamed;
    return 0;
}

// The promotion letter: the one after "=", or else, for a pawn reaching the
// last rank, a piece letter written straight after the square ("e8Q").
char PromotionLetter(std::string_view san, PieceCode piece, Square to)
{
    if (const auto eq = san.find('='); eq != std::string_view::npos)
        return eq + 1 < san.size() ? san[eq + 1] : '\0';
    const bool pawnOnLastRank = (piece == Piece::WhitePawn && RankOf(to) == 7) ||
                                (piece == Piece::BlackPawn && RankOf(to) == 0);
    if (!pawnOnLastRank)
        return '\0';
    const auto letter = san.find_first_of("NBRQ");
    return letter == std::string_view::npos ? '\0' : san[letter];
}

PieceCode PromotionPiece(char letter, bool whiteToMove)
{
    PieceCode kind = 0;
    switch (letter) {
    case 'N': kind = 2; break;
    case 'B': kind = 3; break;
    case 'R': kind = 4; break;
    case 'Q': kind = 5; break;
    default: return 0;
    }
    return whiteToMove ? kind : PieceCode(kind + Piece::BlackOffset);
}

// The text of one of the move library's error numbers.
std::string ErrorText(std::int32_t error)
{
    switch (error) {
    case TLM_NoError: return "No error";
    case TLM_MemoryAllocation: return "Error in memory allocation";
    case TLM_InvalidParameter: return "Invalid parameter";
    case TLM_InvalidColor: return "Invalid color";
    case TLM_InvalidField: return "Invalid field";
    case TLM_InvalidPieceType: return "Invalid piece type";
    case TLM_IllegalMove: return "Illegal move";
    case TLM_AmbiguousMove: return "Ambiguous move";
    case TLM_InvalidSetup: return "Invalid set-up position";
    default: return {};
    }
}

} // namespace

void ResetMoveLibrary()
{
    TLMpgn2move("", "");
}

std::string MoveLibraryErrorText()
{
    return ErrorText(TLMgetRCMGerrno());
}

MoveRecord ApplySanMove(TChessPosition &position, std::string_view setupFen, std::string_view san)
{
    // The library reads both texts as C texts, which end at a NUL; the move
    // is described from the same part of the SAN text. A set-up that ends
    // before its first character is not a position, rather than none.
    if (!setupFen.empty() && setupFen.front() == '\0')
        throw PGNtoTLMexception(ErrorText(TLM_InvalidSetup));
    setupFen = setupFen.substr(0, setupFen.find('\0'));
    san = san.substr(0, san.find('\0'));
    MoveRecord move;
    const std::uint32_t r = TLMpgn2move(std::string(setupFen).c_str(), std::string(san).c_str());
    if (TLMgetRCMGerrno() != TLM_NoError)
        throw PGNtoTLMexception(MoveLibraryErrorText());

    move.From = Square(r & 0xFF);
    move.To = Square((r >> 8) & 0xFF);
    move.Piece = position.GetPiece(move.From);
    move.Captured = position.GetPiece(move.To);

    Square rookFrom = 0, rookTo = 0;
    if (CastlingRook(move.Piece, move.From, move.To, rookFrom, rookTo)) {
        position.SetPiece(position.GetPiece(rookFrom), rookTo);
        position.SetPiece(Piece::Empty, rookFrom);
    }

    move.Disambiguation = DisambiguationOf(san);
    if (san.find('+') != std::string_view::npos)
        move.Check = true;
    if (san.find('#') != std::string_view::npos) {
        move.Annotation = 2;
        move.Check = true;
    }
    move.Promotion = PromotionPiece(PromotionLetter(san, move.Piece, move.To), position.WhiteToMove());

    move.EnPassantCapture = (r >> 16) & 1;
    if (move.EnPassantCapture)
        position.SetPiece(Piece::Empty, move.Piece == Piece::BlackPawn ? move.To + 10 : move.To - 10);

    position.SetPiece(Piece::Empty, move.From);
    position.SetPiece(move.Promotion != 0 ? move.Promotion : move.Piece, move.To);
    return move;
}

std::string AnnotationText(const MoveRecord &move)
{
    switch (move.Annotation) {
    case 2: return "#";
    case 3: return "!";
    case 4: return "!!";
    case 5: return "?";
    case 6: return "??";
    case 7: return "?!";
    case 8: return "!?";
    case 9: return "*";
    default: return {};
    }
}

std::string MoveToSAN(const MoveRecord &move)
{
    const bool checkMark = move.Check && AnnotationText(move) != "#";
    const int kind = PieceKind(move.Piece);
    if (kind == 6 && (move.From == 4 || move.From == 74)) {
        if (move.To == move.From + 2)
            return checkMark ? "O-O+" : "O-O";
        if (move.To == move.From - 2)
            return checkMark ? "O-O-O+" : "O-O-O";
    }

    std::string san;
    const bool capture = move.Captured != 0 || move.EnPassantCapture;
    if (kind == 1) {
        if (capture)
            san += FileLetters[FileOf(move.From) & 7];
    } else if (kind >= 2 && kind <= 6) {
        san += PieceLetters[kind];
        if (move.Promotion == 0) {
            if (move.Disambiguation & MoveRecord::FromFileNamed)
                san += FileLetters[FileOf(move.From) & 7];
            if (move.Disambiguation & MoveRecord::FromRankNamed)
                san += RankDigits[RankOf(move.From) & 7];
        }
    }
    if (capture)
        san += 'x';
    AppendSquare(san, move.To);
    if (const int promoted = PieceKind(move.Promotion); promoted >= 2 && promoted <= 6) {
        san += '=';
        san += PieceLetters[promoted];
    }
    if (checkMark)
        san += '+';
    return san;
}

std::string MoveToCoordinates(const MoveRecord &move)
{
    std::string text;
    AppendSquare(text, move.From);
    AppendSquare(text, move.To);
    if (const int promoted = PieceKind(move.Promotion); promoted >= 2 && promoted <= 5) {
        text += '=';
        text += CoordinatePromotionLetters[promoted];
    }
    return text;
}

Square SquareFromText(std::string_view text)
{
    if (text.size() < 2 || text[1] < '0' || text[1] > '9')
        throw std::invalid_argument("not a square: " + std::string(text));
    const int file = IsFileLetter(text[0]) ? text[0] - 'a' : 255;
    return Square((text[1] - '0') * 10 - 10 + file);
}
