// The error chart that comes with a convergence analysis: each curve's
// error against the sweep number, on a logarithmic scale, drawn as SVG
// beside the report (the window shows it in a window of its own).

const SVG = "http://www.w3.org/2000/svg";
const COLOURS = ["#1f5fbf", "#c0392b", "#2e8b57", "#8e44ad", "#d35400"];

function el(name, attrs, text) {
  const e = document.createElementNS(SVG, name);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  if (text !== undefined) e.textContent = text;
  return e;
}

/// The table's curves: [{name, points: [[k, lg error], ...]}]. A curve ends
/// where its error is empty, zero or beyond the doubles.
export function curvesOf(table) {
  const lines = table.split("\n").filter((l) => l.length);
  const names = lines[0].split("\t").slice(1);
  const curves = names.map((name) => ({ name, points: [], ended: false }));
  for (const line of lines.slice(1)) {
    const cells = line.split("\t");
    const k = Number(cells[0]);
    curves.forEach((c, i) => {
      const e = Number(cells[i + 1]);
      if (c.ended || cells[i + 1] === undefined || cells[i + 1] === "" || !(e > 0) || !isFinite(e))
        c.ended = true;
      else c.points.push([k, Math.log10(e)]);
    });
  }
  return curves;
}

export function drawChart(container, chart) {
  const curves = curvesOf(chart.table);
  const all = curves.flatMap((c) => c.points);
  const W = 560, H = 320, L = 60, R = 150, T = 36, B = 44;
  const kMax = Math.max(1, ...all.map((p) => p[0]));
  const lo = Math.floor(Math.min(0, ...all.map((p) => p[1])));
  const hi = Math.ceil(Math.max(lo + 1, ...all.map((p) => p[1])));
  const x = (k) => L + ((W - L - R) * (k - 1)) / Math.max(1, kMax - 1);
  const y = (v) => T + ((H - T - B) * (hi - v)) / (hi - lo);
  const svg = el("svg", { viewBox: `0 0 ${W} ${H}`, role: "img", "aria-label": chart.title });
  svg.append(el("text", { x: W / 2 - R / 2, y: 20, "text-anchor": "middle", class: "title" }, chart.title));
  svg.append(el("line", { x1: L, y1: H - B, x2: W - R, y2: H - B, class: "axis" }));
  svg.append(el("line", { x1: L, y1: T, x2: L, y2: H - B, class: "axis" }));
  const step = Math.max(1, Math.ceil((hi - lo) / 8));
  for (let v = lo; v <= hi; v += step) {
    svg.append(el("line", { x1: L - 4, y1: y(v), x2: W - R, y2: y(v), class: "grid" }));
    svg.append(el("text", { x: L - 6, y: y(v) + 4, "text-anchor": "end" }, `1E${v < 0 ? "-" : "+"}${String(Math.abs(v)).padStart(2, "0")}`));
  }
  const kStep = Math.max(1, Math.ceil(kMax / 8));
  for (let k = 1; k <= kMax; k += kStep)
    svg.append(el("text", { x: x(k), y: H - B + 16, "text-anchor": "middle" }, String(k)));
  svg.append(el("text", { x: (L + W - R) / 2, y: H - 8, "text-anchor": "middle" }, chart.xLabel));
  svg.append(el("text", { x: 14, y: (T + H - B) / 2, transform: `rotate(-90 14 ${(T + H - B) / 2})`, "text-anchor": "middle" }, chart.yLabel));
  curves.forEach((c, i) => {
    const colour = COLOURS[i % COLOURS.length];
    if (c.points.length)
      svg.append(el("polyline", { points: c.points.map(([k, v]) => `${x(k)},${y(v)}`).join(" "), fill: "none", stroke: colour, "stroke-width": 2 }));
    svg.append(el("line", { x1: W - R + 12, y1: T + 10 + i * 20, x2: W - R + 32, y2: T + 10 + i * 20, stroke: colour, "stroke-width": 2 }));
    svg.append(el("text", { x: W - R + 38, y: T + 14 + i * 20 }, c.name));
  });
  container.replaceChildren(svg);
}
