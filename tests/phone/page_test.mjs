// The phone page in the system Chromium at a phone's size: pair, record a feed and a nappy,
// run a breast-feed timer through a switch of sides to its stop. The notebook's side is
// checked by phone_page_test, which starts this script.
import puppeteer from "puppeteer-core";

const [pairingUrl, screenshot] = process.argv.slice(2);
const origin = new URL(pairingUrl).origin;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--no-proxy-server", "--no-first-run"],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 360, height: 740, isMobile: true, hasTouch: true });
  await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: "dark" }]);
  const outside = [];
  page.on("request", (request) => {
    if (!request.url().startsWith(origin)) outside.push(request.url());
  });
  // The page draws its lists anew at every poll: a button found just before a redraw is gone
  // before the click reaches it (nothing was clicked then), so the tap is tried again.
  const tap = async (selector, options) => {
    for (let attempt = 0; ; ++attempt) {
      try {
        return await page.click(selector, options);
      } catch (error) {
        if (attempt >= 5 || !String(error.message).includes("detached")) throw error;
        await sleep(100);
      }
    }
  };
  const todayHas = (text) =>
    page.waitForFunction((t) => document.querySelector("#today").textContent.includes(t), { timeout: 10000 }, text);

  await page.goto(pairingUrl);
  await tap("#deviceName", { clickCount: 3 });
  await page.type("#deviceName", "りくのスマホ");
  await Promise.all([page.waitForNavigation(), tap("#pairButton")]);
  await page.waitForSelector('button.kind[data-kind="ミルク"]');

  await tap('button.kind[data-kind="ミルク"]');
  await page.type("#amount", "120");
  await tap("#formRecord");
  await todayHas("ミルク 120");
  await tap('button.kind[data-kind="おしっこ"]');
  await todayHas("おしっこ");

  await tap('button.kind[data-kind="母乳（左）"]');
  await page.waitForSelector('.timer[data-kind="母乳（左）"] .switch');
  await sleep(2500); // the test's clock runs a minute a second
  await tap('.timer[data-kind="母乳（左）"] .switch');
  await page.waitForSelector('.timer[data-kind="母乳（右）"] .stop');
  await sleep(2500);
  await tap('.timer[data-kind="母乳（右）"] .stop');
  await page.waitForFunction(() => !document.querySelector(".timer") && !document.querySelector("#status").textContent.includes("未送信"));
  await todayHas("母乳（右）");
  await page.waitForFunction(() => document.querySelector("#since").textContent.includes("授乳から"));

  const layout = await page.evaluate(() => ({
    width: document.documentElement.scrollWidth,
    background: getComputedStyle(document.body).backgroundColor,
    error: document.querySelector("#error").textContent,
  }));
  if (layout.width > 360) throw new Error(`wider than the phone: ${layout.width}px`);
  if (layout.background !== "rgb(23, 21, 15)") throw new Error(`not dark: ${layout.background}`);
  if (layout.error) throw new Error(`the page says: ${layout.error}`);
  if (outside.length) throw new Error(`fetched from outside: ${outside.join(" ")}`);
  if (screenshot) await page.screenshot({ path: screenshot, fullPage: true });
  console.log("page: ok");
} finally {
  await browser.close();
}
