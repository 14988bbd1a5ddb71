// Giving the focus back, and waiting for a frame, as the page does after a
// command: a large edit area costs the browser a pass over all its text to
// focus or to redraw, so such work waits until the report is on screen.

/// Runs work once the browser has drawn the next frame.
export const afterNextFrame = (work) => requestAnimationFrame(() => setTimeout(work));

/// Gives target the focus (by focus(target), target.focus() by default)
/// when nothing else has taken it meanwhile and target is still on the page.
export function giveFocusBack(target, focus = (t) => t.focus()) {
  const lost = !document.activeElement || document.activeElement === document.body;
  if (lost && target?.isConnected) focus(target);
}
