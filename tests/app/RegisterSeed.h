// The seeded database of the register tests, desktop walks and benchmarks: two estates with their
// buildings, houses in all three states with owners, contracts and residents, public facilities
// (one stopped), parking spaces (one sold to a house), spare parts, fee items and a few fee rows.
#pragma once

#include "rtl/Types.h"

class TADOConnection;

namespace seed {

inline const String EstateA = "阳光小区"; // code 001
inline const String EstateB = "翠湖花园"; // code 002
// The house a parking space and two fee rows refer to (the first sold house, of EstateB).
inline constexpr int ReferencedHouse = 8;
// Facilities of EstateA, codes 000001 to 000005; the last is stopped.
inline const String StoppedFacility = "健身器材";

// Houses i = 0 .. houses-1: estate A for even i, B for odd; building "1号楼" .. "3号楼", unit
// "1单元" or "2单元", room codes from 101 unique within a building; state by i / 6 % 3 (so every
// building holds each): "未销售", "已销售", "已入住"; sold houses have an owner and a contract, occupied ones
// a resident and a move-in date; the others hold the date that is not set. Houses get F_ID 1, 2, ... in that
// order.
void SeedRegisters(TADOConnection* connection, int houses = 120);

// The room code of house i (as SeedRegisters writes it).
String RoomCode(int i);
String Building(int i);

} // namespace seed
