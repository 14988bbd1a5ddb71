// The core runs here, off the page's thread, so that a long command never
// freezes the page and stopping it is as simple as ending this worker.
"use strict";

let core = null;
let warmedUp = false;

async function loadCore() {
  if (!core) {
    let factory = self.createQuorvexCore;
    if (!factory) {
      try {
        importScripts("quorvex-core.js");
        factory = self.createQuorvexCore;
      } catch (classicFailed) {
        // A module built as an ES module cannot go through importScripts.
        factory = (await import("./quorvex-core.js")).default;
      }
    }
    core = factory();
  }
  return core;
}

self.onmessage = async ({ data }) => {
  const { id, type } = data;
  try {
    const c = await loadCore();
    let value;
    if (type === "menus") value = c.menus(data.lang);
    else if (type === "run") value = c.run(data.request);
    else if (type === "export") value = c.exportReport(data.format); // the report knows its language
    else if (type === "decimals") value = c.decimalsFromAnswer(data.answer);
    else throw new Error("unknown request " + type);
    // A result's bytes move to the page rather than being copied.
    const moved = value?.result instanceof Uint8Array ? [value.result.buffer] : [];
    self.postMessage({ id, value }, moved);
    // While the page settles, the core warms up for the first command.
    if (!warmedUp) {
      warmedUp = true;
      setTimeout(() => c.warmUp());
    }
  } catch (e) {
    self.postMessage({ id, error: String((e && e.message) || e) });
  }
};
