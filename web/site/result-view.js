// The result area. A report at order 1000 is ten million characters; laid
// out whole, as a textarea would, it takes the browser longer than the
// command that wrote it. So the text goes in as blocks of lines that the
// browser lays out only while they are in view (content-visibility), and
// selecting, copying and finding in the page still reach all of it.

const kLinesPerBlock = 32;

/// Shows text in area, line breaks as a textarea shows them. Each block
/// keeps its own line breaks, so area.textContent is the text itself.
export function showText(area, text) {
  const plain = text.replace(/\r\n?/g, "\n");
  const blocks = document.createDocumentFragment();
  let start = 0;
  while (start < plain.length) {
    let end = start;
    let lines = 0;
    let widest = 0;
    while (lines < kLinesPerBlock && end < plain.length) {
      const next = plain.indexOf("\n", end);
      const stop = next < 0 ? plain.length : next + 1;
      widest = Math.max(widest, stop - end);
      end = stop;
      ++lines;
    }
    const block = document.createElement("div");
    block.textContent = plain.slice(start, end);
    // Its size until it is first laid out, so that the scroll bars are
    // about right from the start; the line height is fixed in the style.
    block.style.containIntrinsicSize = `auto ${widest}ch auto ${lines * 1.25}em`;
    blocks.append(block);
    start = end;
  }
  area.replaceChildren(blocks);
  area.scrollTop = 0;
  area.scrollLeft = 0;
}
