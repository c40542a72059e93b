// The material lines of a repair (t_ZHBXdetail) as the repair register and its dialog show and
// keep them: the grid columns, and the line's rules kept by the data set's fields.
//   - a new quantity or unit price (F_amount, F_price) sets the amount F_totalprice to the price
//     times the quantity as Currency, rounded once to the ten-thousandth;
//   - a new part code (F_PJcode) forgets the part row the line was taken from (F_PJid), so a
//     line typed over is looked up again before its stock moves.
#pragma once

class TDataSet;
class TDBGridGx;

// 配件编号 (footer "合  计"), 配件名称, 类型, 规格, 品牌, 产地, [单位,] 数量 (sum), 单价, 金额 (sum), 备注.
void BuildRepairLineColumns(TDBGridGx* grid, bool withUnit = false);
// Attaches the rules to the data set's fields; call again after every Open.
void AttachRepairLineRules(TDataSet* dataSet);
