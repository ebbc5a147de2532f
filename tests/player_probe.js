// Run after a page of the player: drives it with keys and writes what it
// saw into an element of its own, for player_in_browser.sh to check.
(() => {
  const VALUES = 8;             // as many as player_in_browser.sh gives
  const out = [];
  const byId = id => document.getElementById(id);
  const key = k => document.body.dispatchEvent(new KeyboardEvent("keydown", { key: k, bubbles: true }));
  const step = () => byId("position").value;
  const canvases = () => [...document.querySelectorAll(".panel canvas")];
  const pixels = c => c.getContext("2d").getImageData(0, 0, c.width, c.height);
  const markedAbove = c => pixels(c).data.slice(0, c.width * 4 * 6).some((v, k) => k % 4 === 3 && v > 0);
  function heights(c) {         // each bar's height in pixels, at its middle column, above the marks below it
    const image = pixels(c), n = VALUES, base = c.height - 1 - Number(c.dataset.below);
    return Array.from({ length: n }, (_, k) => {
      const x = Math.floor((k + 0.5) * c.width / n);
      let h = 0;
      while (h < base && image.data[((base - h) * c.width + x) * 4 + 3] > 0) h++;
      return h;
    });
  }
  const keys = [];
  key("s");
  for (let k = 0; k < 10; k++) key("ArrowRight");
  keys.push(step());
  out.push("tones " + byId("sound").dataset.tones);
  const during = markedAbove(canvases()[0]);
  key("ArrowLeft"); key("ArrowLeft"); keys.push(step());
  key("s"); key("ArrowRight"); keys.push(step());
  out.push("silent " + byId("sound").dataset.tones);
  key("End"); keys.push(step());
  out.push("last " + byId("position").max);
  out.push("counter " + [...document.querySelectorAll("[id$=-comparisons], [id$=-swaps]")]
    .map(e => `${e.id} ${e.textContent}`).join(";"));
  out.push("heights " + canvases().map(c => heights(c).join(",")).join(" "));
  out.push(`marked ${during ? "yes" : "no"} ${canvases().some(markedAbove) ? "yes" : "no"}`);
  key("Home"); keys.push(step());
  out.push("keys " + keys.join(" "));
  const play = [];
  key(" "); play.push(byId("play").textContent);
  key(" "); play.push(byId("play").textContent);
  out.push("space " + play.join(" "));

  // Loaded again: one comparison then one swap of [3, 1, 2], differing at call 2.
  const events = btoa(String.fromCharCode(0, 0, 1, 0, 0, 0x80, 1, 0));
  AdtlabPlayer.load({ title: "probe", groups: [{ name: "probe", input: [3, 1, 2], ranks: [2, 0, 1],
    firstDifference: 2, sentence: "differs", runs: [{ id: "probe", title: "probe", algorithm: "selection",
      events, expected: { comparisons: 1, swaps: 2, comparisons_rule: "c", swaps_rule: "s" } }] }] });
  const call = document.querySelector(".panel .call").textContent;
  out.push(`difference ${byId("probe-first-difference").textContent}|${step()}|${call}`);
  key("End");
  const [forComparisons, forSwaps] = document.querySelectorAll(".panel .expected");
  out.push(`formulas ${forComparisons.textContent}|${forSwaps.textContent}|${forSwaps.className}`);
  const fragment = [];
  AdtlabPlayer.applyFragment("#values=3,1,2&end"); fragment.push(step());
  AdtlabPlayer.applyFragment(AdtlabPlayer.parseFragment("#algorithm=selection&step=1")); fragment.push(step());
  out.push("fragment " + fragment.join(" "));
  out.push("probe done");
  const pre = document.createElement("pre");
  pre.id = "probe";
  pre.textContent = out.join("\n");
  document.body.appendChild(pre);
})();
