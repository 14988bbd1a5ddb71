// 显示: the areas' font and colours, and the number of decimals (the core
// reads the decimals answer, as it does for the window).

import { openDialog } from "./dialogs.js";
import { renderCaption } from "./menus.js";

export const kDefaultDecimals = 6;

export const defaultAppearance = () => ({
  family: "宋体",
  size: 9,
  bold: false,
  italic: false,
  strike: false,
  underline: false,
  color: "#000000",
  background: "#ffffff",
});

/// Applies the appearance to both areas.
export function applyAppearance(areas, a) {
  for (const area of areas) {
    const s = area.style;
    s.fontFamily = `"${a.family}", "SimSun", "WenQuanYi Zen Hei Mono", monospace`;
    s.fontSize = a.size + "pt";
    s.fontWeight = a.bold ? "bold" : "normal";
    s.fontStyle = a.italic ? "italic" : "normal";
    s.textDecoration = [a.strike && "line-through", a.underline && "underline"].filter(Boolean).join(" ") || "none";
    s.color = a.color;
    s.backgroundColor = a.background;
  }
}

function field(body, id, label, input) {
  const l = document.createElement("label");
  l.htmlFor = input.id = id;
  l.textContent = label;
  body.append(l, input);
  return input;
}

function check(parent, label, on) {
  const l = document.createElement("label");
  const box = document.createElement("input");
  box.type = "checkbox";
  box.checked = on;
  l.append(box, " " + label);
  parent.append(l);
  return box;
}

/// 字体: resolves to the new appearance, or null when cancelled.
export function fontDialog(t, current) {
  const inputs = {};
  return openDialog({
    kind: "font",
    caption: t.fontCaption,
    build(body, id) {
      const grid = document.createElement("div");
      grid.className = "fields";
      const family = document.createElement("input");
      family.value = current.family;
      family.setAttribute("list", id + "-families");
      const list = document.createElement("datalist");
      list.id = id + "-families";
      for (const f of ["宋体", "SimSun", "黑体", "楷体", "隶书", "Microsoft YaHei", "WenQuanYi Zen Hei", "Noto Sans CJK SC", "Courier New", "monospace", "serif", "sans-serif"])
        list.append(new Option(f));
      inputs.family = field(grid, id + "-family", t.fontFamily, family);
      const size = document.createElement("input");
      size.type = "number";
      size.min = "1";
      size.max = "72";
      size.step = "0.5";
      size.value = String(current.size);
      inputs.size = field(grid, id + "-size", t.fontSize, size);
      const colour = document.createElement("input");
      colour.type = "color";
      colour.value = current.color;
      const colourLabel = document.createElement("span");
      renderCaption(colourLabel, t.fontColor);
      inputs.color = field(grid, id + "-color", "", colour);
      grid.querySelector(`label[for="${colour.id}"]`).append(colourLabel);
      body.append(grid, list);
      const checks = document.createElement("div");
      checks.className = "checks";
      inputs.bold = check(checks, t.fontBold, current.bold);
      inputs.italic = check(checks, t.fontItalic, current.italic);
      inputs.strike = check(checks, t.fontStrike, current.strike);
      inputs.underline = check(checks, t.fontUnderline, current.underline);
      body.append(checks);
      return family;
    },
    buttons: [
      { role: "ok", caption: t.ok, isDefault: true },
      { role: "cancel", caption: t.cancel },
    ],
    escapeValue: null,
    collect(role) {
      if (role !== "ok") return null;
      const size = Number(inputs.size.value);
      return {
        ...current,
        // An empty name keeps the areas' current font.
        family: inputs.family.value.trim() || current.family,
        size: size > 0 ? size : current.size,
        bold: inputs.bold.checked,
        italic: inputs.italic.checked,
        strike: inputs.strike.checked,
        underline: inputs.underline.checked,
        color: inputs.color.value,
      };
    },
  });
}

/// 背景色: resolves to the chosen colour, or null when cancelled.
export function colourDialog(t, caption, current) {
  let input;
  return openDialog({
    kind: "colour",
    caption,
    build(body, id) {
      const grid = document.createElement("div");
      grid.className = "fields";
      input = document.createElement("input");
      input.type = "color";
      input.value = current;
      field(grid, id + "-colour", t.backColorLabel, input);
      body.append(grid);
      return input;
    },
    buttons: [
      { role: "ok", caption: t.ok, isDefault: true },
      { role: "cancel", caption: t.cancel },
    ],
    escapeValue: null,
    collect: (role) => (role === "ok" ? input.value : null),
  });
}
